#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The program speaks Polish; English is a translation looked up where a text reaches the screen
// (the dialog host, the shell's services, doxa-cli's console), so the logic only marks its texts.
//
// UI_TEXT marks a fixed text the technician may see; lupdate collects it into the translation
// sources. A text composed at run time is made from a marked pattern with %1..%9 placeholders
// (formatText), so that the pattern is found again in the finished text and translated around
// the values it holds.
#define UI_TEXT(text) text
// KEPT_TEXT marks a documented text that is not Polish ("Error OpenComm ", ...): every language
// shows it as it is, so it is never translated.
#define KEPT_TEXT(text) text

namespace doxa {

// The pattern with %1..%9 replaced by the values in order; a placeholder with no value, and any
// other '%', stay as they are.
std::string formatText(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace doxa
