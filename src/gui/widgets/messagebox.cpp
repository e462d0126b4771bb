#include "gui/widgets/messagebox.h"

#include <QList>
#include <QMessageBox>
#include <QPushButton>

namespace {

bool recordingMode = false;
bool nextAnswer = true;
QList<MessageBox::Shown> recorded;

} // namespace

void MessageBox::warning(QWidget *parent, const QString &title, const QString &text)
{
    if (recordingMode) {
        recorded.append({title, text});
        return;
    }
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

void MessageBox::information(QWidget *parent, const QString &title, const QString &text)
{
    if (recordingMode) {
        recorded.append({title, text});
        return;
    }
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

bool MessageBox::question(QWidget *parent, const QString &title, const QString &text,
                          const QString &yes, const QString &no)
{
    if (recordingMode) {
        recorded.append({title, text});
        return std::exchange(nextAnswer, true);
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton *accept = box.addButton(yes, QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(no, QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == accept;
}

void MessageBox::setNextAnswer(bool yes)
{
    nextAnswer = yes;
}

void MessageBox::setRecording(bool recording)
{
    recordingMode = recording;
    nextAnswer = true;
    recorded.clear();
}

QList<MessageBox::Shown> MessageBox::takeRecorded()
{
    return std::exchange(recorded, {});
}
