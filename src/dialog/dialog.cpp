#include "dialog/dialog.h"

namespace doxa {

void DialogLogic::onCommand(int id) {
    if (id == ResultOk || id == ResultCancel) window().end(id);
}

}  // namespace doxa
