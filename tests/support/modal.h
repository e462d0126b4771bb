#pragma once

#include <QString>
#include <functional>

class QWidget;

// Answers the program's own modal dialogs from inside their exec(): once the next modal window
// is up, the action runs on it (for example a click on one of its buttons).
namespace Modal {

// className limits it to a modal window of that class (e.g. "deleteDlg").
void whenShown(std::function<void(QWidget *dialog)> action, const char *className = nullptr);
// Clicks the button with that object name in the next modal window.
void clickNext(const QString &buttonName, const char *className = nullptr);

} // namespace Modal
