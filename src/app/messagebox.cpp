#include "app/messagebox.h"

#include <QList>
#include <QMessageBox>

namespace {

bool recordingMode = false;
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

void MessageBox::setRecording(bool recording)
{
    recordingMode = recording;
    recorded.clear();
}

QList<MessageBox::Shown> MessageBox::takeRecorded()
{
    return std::exchange(recorded, {});
}
