#include "document/backups_dlg.h"

#include <string_view>

#include "link/screen_text.h"

namespace doxa {

namespace {

constexpr std::string_view FolderPattern = UI_TEXT("Folder: %1");
constexpr std::string_view NoCopiesText = UI_TEXT("Nie ma jeszcze żadnej kopii zapasowej.");
// model, serial number, time
constexpr std::string_view EntryPattern = UI_TEXT("%1   nr %2   %3");

}  // namespace

void CBackupsDlg::onInit() {
    DialogWindow& w = window();
    entries_ = store_.list();
    std::vector<std::string> items;
    for (const BackupEntry& entry : entries_)
        items.push_back(formatText(
            EntryPattern, {entry.modelName, std::to_string(entry.serialNumber), entry.time}));
    w.setItems(List, items);
    w.setText(FolderText, formatText(FolderPattern, {store_.folder().string()}));
    w.setText(EmptyText, entries_.empty() ? NoCopiesText : "");
    if (!entries_.empty()) w.setSelection(List, 0);
    w.setEnabled(Open, !entries_.empty());
}

void CBackupsDlg::onCommand(int id) {
    if (id != Open) {
        DialogLogic::onCommand(id);
        return;
    }
    const int index = window().selection(List);
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    chosen_ = entries_[static_cast<std::size_t>(index)].path;
    window().end(ResultOk);
}

void CBackupsDlg::onChange(int id) {
    if (id == List) window().setEnabled(Open, window().selection(List) >= 0);
}

}  // namespace doxa
