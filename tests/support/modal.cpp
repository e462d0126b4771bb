#include "modal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace {

void waitForModal(const std::function<void(QWidget *)> &action, const char *className,
                  int attemptsLeft)
{
    QWidget *dialog = QApplication::activeModalWidget();
    if (dialog && dialog->isVisible() && (!className || dialog->inherits(className))) {
        action(dialog);
        return;
    }
    if (attemptsLeft > 0)
        QTimer::singleShot(10, [action, className, attemptsLeft] {
            waitForModal(action, className, attemptsLeft - 1);
        });
}

} // namespace

void Modal::whenShown(std::function<void(QWidget *dialog)> action, const char *className)
{
    QTimer::singleShot(
        0, [action = std::move(action), className] { waitForModal(action, className, 3000); });
}

void Modal::clickNext(const QString &buttonName, const char *className)
{
    whenShown(
        [buttonName](QWidget *dialog) {
            if (auto *button = dialog->findChild<QAbstractButton *>(buttonName))
                button->click();
        },
        className);
}
