#include "platform/sound_player.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The real player: whatever the file, play returns at once and nothing breaks, also
// on a machine without a sound device.
class SoundPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void playReturnsAtOnce_data();
    void playReturnsAtOnce();
    void closeReleasesAndPlayStartsAgain();
};

void SoundPlayerTest::playReturnsAtOnce_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written unless the name is missing or a folder

    QTest::newRow("shipped sound") << "right.wav" << QByteArray();
    QTest::newRow("missing file") << "missing.wav" << QByteArray();
    QTest::newRow("a folder") << "folder.wav" << QByteArray();
    QTest::newRow("empty file") << "empty.wav" << QByteArray("");
    QTest::newRow("random bytes") << "noise.wav" << QByteArray(4096, '\x5a');
    QTest::newRow("cut header") << "cut.wav" << QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16);
}

void SoundPlayerTest::playReturnsAtOnce()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);

    QTemporaryDir folder;
    QString path = folder.filePath(name);
    if (name == QLatin1String("right.wav")) {
        path = QStringLiteral(CLOZE_DATA_DIR "/right.wav");
    } else if (name == QLatin1String("folder.wav")) {
        QVERIFY(QDir(folder.path()).mkdir(name));
    } else if (name != QLatin1String("missing.wav")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    auto player = makeMultimediaSoundPlayer();
    QElapsedTimer clock;
    clock.start();
    player->play(path);
    player->play(path); // a new sound stops the one before
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(50);
    player->close();
    QVERIFY(QFileInfo::exists(path) || name == QLatin1String("missing.wav"));
}

void SoundPlayerTest::closeReleasesAndPlayStartsAgain()
{
    auto player = makeMultimediaSoundPlayer();
    player->close(); // before any sound
    player->play(QStringLiteral(CLOZE_DATA_DIR "/wrong.wav"));
    player->close();
    player->close();
    QElapsedTimer clock;
    clock.start();
    player->play(QStringLiteral(CLOZE_DATA_DIR "/right.wav"));
    QVERIFY(clock.elapsed() < 500);
    player->close();
}

QTEST_MAIN(SoundPlayerTest)
#include "sound_player_test.moc"
