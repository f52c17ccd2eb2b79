#pragma once

#include <string>
#include <vector>

#include "document/recent_files.h"

namespace doxa {

class Shell;
class Station;
struct DeviceRecord;

// The saved fields of a new, empty configuration, as every run of the program starts with them;
// connection, unitCode and the characteristic table are not part of it.
void resetToNewDocument(DeviceRecord& device);

// The configuration document (CDoxaDoc). It holds no data of its own: new, open and save act on
// the station's device record and user characteristic. It knows only its file and title.
class CDoxaDoc {
public:
    CDoxaDoc(Station& station, Shell& shell);

    // The new-document reset of the saved fields, without redrawing: start-up does it before
    // the main view shows anything.
    void reset();
    // "Nowe".
    void newDocument();
    // "Pobierz...": asks for a file and opens it.
    void open();
    // An entry of "Poprzednie", 0 = the newest.
    void openRecent(std::size_t index);
    // Opens a named file; false (after telling the technician why) when nothing was loaded.
    bool openFile(const std::string& path);
    // "Zachowaj": an untitled document asks for a name first.
    void save();
    // "Zachowaj jako...".
    void saveAs();

    const std::vector<std::string>& recentFiles() const { return recent_.files(); }

private:
    bool saveTo(const std::string& path);
    void nameAfter(const std::string& path);
    void setTitle(std::string title);

    Station& station_;
    Shell& shell_;
    RecentFileList recent_;
    std::string path_;  // empty for an untitled document
    std::string title_;
};

}  // namespace doxa
