#include "core/engine/completionrecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

class TestCompletionRecord final : public QObject
{
    Q_OBJECT

private slots:
    void isCurrentOnlyForItsOwnUntouchedRecord_data();
    void isCurrentOnlyForItsOwnUntouchedRecord();
};

namespace {

enum class Damage {
    None,
    OtherPdf,
    OtherOptions,
    ImageGone,
    ImageResized,
    ImageALink,
    RecordALink,
    RecordLinkedTwice,
    RecordWritableByGroup,
    FolderWritableByOthers,
    WritableByOwnGroup,
    RecordCutShort,
    RecordHuge,
};

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

void TestCompletionRecord::isCurrentOnlyForItsOwnUntouchedRecord_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<bool>("current");
    QTest::newRow("as written") << Damage::None << true;
    QTest::newRow("another PDF") << Damage::OtherPdf << false;
    QTest::newRow("other options") << Damage::OtherOptions << false;
    QTest::newRow("an image gone") << Damage::ImageGone << false;
    QTest::newRow("an image resized") << Damage::ImageResized << false;
    QTest::newRow("an image swapped for a link") << Damage::ImageALink << false;
    QTest::newRow("the record swapped for a link") << Damage::RecordALink << false;
    QTest::newRow("the record linked twice") << Damage::RecordLinkedTwice << false;
    QTest::newRow("the record writable by a group of others")
        << Damage::RecordWritableByGroup << false;
    // As a umask of 002 leaves them, in a user private group (root's on Debian).
    QTest::newRow("all writable by the user's own group") << Damage::WritableByOwnGroup << true;
    QTest::newRow("the folder writable by others") << Damage::FolderWritableByOthers << false;
    QTest::newRow("the record cut short") << Damage::RecordCutShort << false;
    QTest::newRow("a huge record") << Damage::RecordHuge << false;
}

void TestCompletionRecord::isCurrentOnlyForItsOwnUntouchedRecord()
{
    QFETCH(Damage, damage);
    QFETCH(bool, current);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString parent = temporary.path();
    const QString folderPath = parent + u"/doc"_s;
    const QString record = folderPath + u'/' + CompletionRecord::fileName;
    QVERIFY(::mkdir(QFile::encodeName(folderPath).constData(), 0755) == 0);
    QVERIFY(writeFile(folderPath + u"/doc-1.png"_s, "pixels"));
    QVERIFY(writeFile(folderPath + u"/doc 2%.png"_s, "more pixels"));
    const PdfIdentity pdf{1234, 1700000000123456789};
    const QString key = u"png 120"_s;
    {
        const FolderHandle folder = FolderHandle::open(folderPath);
        QVERIFY(CompletionRecord::write(folder, pdf, key, {u"doc-1.png"_s, u"doc 2%.png"_s}));
    }
    QCOMPARE(QFileInfo(record).permissions() & QFileDevice::WriteOther, 0);

    PdfIdentity asked = pdf;
    QString askedKey = key;
    const QByteArray encodedRecord = QFile::encodeName(record);
    const QByteArray encodedImage = QFile::encodeName(folderPath + u"/doc-1.png"_s);
    switch (damage) {
    case Damage::None:
        break;
    case Damage::OtherPdf:
        asked.modifiedNs += 1;
        break;
    case Damage::OtherOptions:
        askedKey = u"png 300"_s;
        break;
    case Damage::ImageGone:
        QVERIFY(QFile::remove(folderPath + u"/doc-1.png"_s));
        break;
    case Damage::ImageResized:
        QVERIFY(writeFile(folderPath + u"/doc-1.png"_s, "other"));
        break;
    case Damage::ImageALink:
        QVERIFY(QFile::rename(folderPath + u"/doc-1.png"_s, parent + u"/elsewhere"_s));
        QVERIFY(::symlink("../elsewhere", encodedImage.constData()) == 0);
        break;
    case Damage::RecordALink:
        QVERIFY(QFile::rename(record, parent + u"/record"_s));
        QVERIFY(::symlink("../record", encodedRecord.constData()) == 0);
        break;
    case Damage::RecordLinkedTwice:
        QVERIFY(::link(encodedRecord.constData(), QFile::encodeName(parent + u"/x"_s)) == 0);
        break;
    case Damage::RecordWritableByGroup:
        if (::chown(encodedRecord.constData(), uid_t(-1), 65534) != 0)
            QSKIP("only root can give the record to another group");
        QVERIFY(::chmod(encodedRecord.constData(), 0664) == 0);
        break;
    case Damage::WritableByOwnGroup:
        if (::geteuid() != 0)
            QSKIP("only root's group is known to be a user private group");
        for (const QString &path : QStringList{folderPath, record, folderPath + u"/doc-1.png"_s})
            QVERIFY(::chmod(QFile::encodeName(path).constData(),
                            path == folderPath ? 0775 : 0664) == 0);
        break;
    case Damage::FolderWritableByOthers:
        QVERIFY(::chmod(QFile::encodeName(folderPath).constData(), 0777) == 0);
        break;
    case Damage::RecordCutShort: {
        QFile file(record);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        file.close();
        QVERIFY(writeFile(record, text.left(text.lastIndexOf("end"))));
        break;
    }
    case Damage::RecordHuge:
        QVERIFY(::truncate(encodedRecord.constData(), CompletionRecord::largestRecord + 1) == 0);
        break;
    }
    const FolderHandle folder = FolderHandle::open(parent);
    QCOMPARE(CompletionRecord::isCurrent(folder, u"doc"_s, asked, askedKey), current);
}

QTEST_GUILESS_MAIN(TestCompletionRecord)
#include "tst_completionrecord.moc"
