#pragma once

class QDialog;

namespace doxa {

// Puts a dialog's compiled layout (its .ui form) onto an empty QDialog.
using LayoutSetup = void (*)(QDialog& dialog);
// Finds the layout of a dialog resource number; nullptr when there is none.
using LayoutLookup = LayoutSetup (*)(int resource);

// The program's layouts, by dialog resource number.
LayoutSetup findLayout(int resource);

}  // namespace doxa
