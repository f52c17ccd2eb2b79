#pragma once

#include <initializer_list>
#include <map>
#include <string>

namespace doxa {
class Application;
}

namespace doxa::test {

// Runs the application's start-up as a technician would: waits for the identification dialog
// to show "Koniec", reads the given fields, closes it with "Zamknij". Gives up after 30 s with a
// test failure. Returns what the fields showed (and the dialog's title under the key 0).
std::map<int, std::string> startUpUntilIdentified(Application& application,
                                                  std::initializer_list<int> fields);

}  // namespace doxa::test
