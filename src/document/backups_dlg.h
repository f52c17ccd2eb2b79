#pragma once

#include <string>
#include <vector>

#include "document/backup_store.h"
#include "dialog/dialog.h"

namespace doxa {

// "Kopie zapasowe...": the configurations kept before programming overwrote them, newest
// first, by model, serial number and time. "Otwórz" ends with OK and names the chosen copy,
// which the caller opens as the document.
class CBackupsDlg : public DialogLogic {
public:
    static constexpr int Resource = 142;
    enum : int { Open = 1, Cancel = 2, List = 101, FolderText = 131, EmptyText = 132 };

    explicit CBackupsDlg(const BackupStore& store) : store_(store) {}

    const std::string& chosen() const { return chosen_; }

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;

private:
    const BackupStore& store_;
    std::vector<BackupEntry> entries_;
    std::string chosen_;
};

}  // namespace doxa
