#pragma once
// Window tests never wait for a person: every modal dialog that a command opens
// (an error box, a question the test did not script) is closed at once and its
// text recorded here, so a test can check what the user would have seen.
#include <QString>
#include <vector>

namespace ravik::test {

std::vector<QString>& closedModalDialogs();
// Starts closing modal dialogs; called once by the test program's main.
void closeModalDialogsAutomatically();

} // namespace ravik::test
