#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace doxa::cli {

// Standard error of doxa-cli: errors one line each, and on a terminal a progress line that is
// rewritten in place and wiped before anything else is printed. What is printed here is shown in
// the language started, as the program's own texts and the dialogs' reach the technician here.
class Console {
public:
    Console(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}

    void error(std::string_view line);
    // An error about a file or a device, named first as it is.
    void error(std::string_view subject, std::string_view line);
    // A line that follows an error without the program's name, such as where to find help.
    void note(std::string_view line);
    // A question answered on standard input.
    void prompt(std::string_view question);
    // Shown only on a terminal; a blank text leaves the line as it is.
    void progress(std::string_view text);
    void endProgress();

private:
    std::ostream& err_;
    bool terminal_;
    bool progressShown_ = false;
    std::string lastProgress_;
};

// Trims blanks at both ends, as the dialogs' fields carry leading and trailing blanks.
std::string_view trimmed(std::string_view text);
// A dialog's text in the language started, without the blanks around it. The dialogs pad some of
// their texts ("Zmień port szeregowy ", " nie aktywny"), and the translation knows them padded or
// not, so the text is looked up as it is, then trimmed.
std::string shownTrimmed(std::string_view text);

}  // namespace doxa::cli
