#include "platform/sound_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// The real player: whatever the file, play returns at once and nothing breaks, also
// on a machine without a sound device.
class SoundPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void playReturnsAtOnce_data();
    void playReturnsAtOnce();
    void manyQuickSoundsNeverFreeze();
};

void SoundPlayerTest::playReturnsAtOnce_data()
{
    QTest::addColumn<QByteArray>("content"); // null: there is no such file
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("cut header") << QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16);
}

void SoundPlayerTest::playReturnsAtOnce()
{
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sound.wav"));
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    auto player = makeMultimediaSoundPlayer();
    player->close(); // before any sound
    QElapsedTimer clock;
    clock.start();
    player->play(path);
    player->play(path); // a new sound stops the one before
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(50);
    player->close();
    QCOMPARE(QFileInfo::exists(path), !content.isNull());
}

// A pupil who answers fast: sounds cut off one another, one of the files is damaged,
// and the program leaves at once after the last sound. A freeze fails the test
// instead of hanging it.
void SoundPlayerTest::manyQuickSoundsNeverFreeze()
{
    QTemporaryDir folder;
    QStringList paths;
    const QList<QByteArray> damaged{QByteArray(), QByteArray(4096, '\x5a'),
                                    QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16)};
    for (const QByteArray &content : damaged) {
        QFile file(folder.filePath(QStringLiteral("damaged%1.wav").arg(paths.size())));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        paths << file.fileName();
    }
    for (const char *name : {"right.wav", "wrong.wav", "APPLAUSE.wav", "wickedlaugh.wav"})
        paths << QStringLiteral(CLOZE_DATA_DIR "/") + QLatin1String(name);

    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!finished.wait_for(lock, std::chrono::seconds(30), [&] { return done; })) {
            std::fputs("the sound player froze\n", stderr);
            std::abort();
        }
    });
    // The sound device is found by the event loop after the first sound.
    makeMultimediaSoundPlayer()->play(paths.last());
    QTest::qWait(200);
    for (int round = 0; round < 10; ++round) {
        auto player = makeMultimediaSoundPlayer();
        for (int i = 0; i < 30; ++i) {
            player->play(paths.at((round + i) % paths.size()));
            QCoreApplication::processEvents(); // answers come one event at a time
            if (i % 3 == 0)
                player->close();
        }
        player->close();
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
}

QTEST_MAIN(SoundPlayerTest)
#include "sound_player_test.moc"
