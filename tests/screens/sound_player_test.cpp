#include "platform/sound_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A test function that has not ended by then is stopped, and the test fails: a
// frozen player fails the test instead of hanging it.
[[maybe_unused]] static const bool kTimeLimit = qputenv("QTEST_FUNCTION_TIMEOUT", "30000");

// The real player, also on a machine without a sound device.
class SoundPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void manyQuickSoundsNeverFreeze();
};

// A pupil who answers fast: sounds cut off one another, files are missing or damaged,
// and the program leaves at once after the last sound. Every play returns at once.
void SoundPlayerTest::manyQuickSoundsNeverFreeze()
{
    QTemporaryDir folder;
    QStringList paths{folder.filePath(QStringLiteral("missing.wav"))};
    for (const QByteArray &content : {QByteArray(), QByteArray(4096, '\x5a'),
                                      QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16)}) { // a cut header
        QFile file(folder.filePath(QStringLiteral("damaged%1.wav").arg(paths.size())));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        paths << file.fileName();
    }
    for (const char *name : {"right.wav", "wrong.wav", "APPLAUSE.wav", "wickedlaugh.wav"})
        paths << QStringLiteral(CLOZE_DATA_DIR "/") + QLatin1String(name);

    makeMultimediaSoundPlayer()->close(); // before any sound
    // The sound device is found by the event loop after the first sound.
    makeMultimediaSoundPlayer()->play(paths.last());
    QTest::qWait(200);
    qint64 slowest = 0;
    QElapsedTimer clock;
    for (int round = 0; round < 10; ++round) {
        auto player = makeMultimediaSoundPlayer();
        for (int i = 0; i < 30; ++i) {
            clock.start();
            player->play(paths.at((round + i) % paths.size()));
            slowest = std::max(slowest, clock.elapsed());
            QCoreApplication::processEvents(); // answers come one event at a time
            if (i % 3 == 0)
                player->close();
        }
        player->close();
    }
    QVERIFY2(slowest < 500, qPrintable(QString::number(slowest)));
}

QTEST_MAIN(SoundPlayerTest)
#include "sound_player_test.moc"
