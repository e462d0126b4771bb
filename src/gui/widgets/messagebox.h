#pragma once

#include <QString>

class QWidget;

// The program's plain warning box (one OK button). Tests switch it to recording mode, so a
// warning never blocks them and they can see what the user would have been told.
namespace MessageBox {

void warning(QWidget *parent, const QString &title, const QString &text);
// The same box with the information icon, recorded alike.
void information(QWidget *parent, const QString &title, const QString &text);
// A question with two answers; true for the first. Recorded like a warning, and answered with
// what setNextAnswer gave (the first answer by default).
bool question(QWidget *parent, const QString &title, const QString &text, const QString &yes,
              const QString &no);
void setNextAnswer(bool yes);

struct Shown
{
    QString title;
    QString text;
};
void setRecording(bool recording);
QList<Shown> takeRecorded();

} // namespace MessageBox
