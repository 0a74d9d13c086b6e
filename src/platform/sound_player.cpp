#include "platform/sound_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QSoundEffect>
#include <QUrl>

namespace {

// QSoundEffect decodes its WAV file on a loader thread of its own, so neither a long
// sound nor a damaged file can hold up the screen that asked for it. Destroying an
// effect, though, waits until that thread has nothing left to load, and a damaged
// file keeps it loading for ever. So each file gets one effect, made at its first
// sound, which is only stopped and started again and never destroyed: the program
// has four sounds, and the system takes the effects back when the program ends.
// At the end Qt's sample cache stops that thread, and it deadlocks if the thread is
// still decoding then: close, which comes before the end, lets a file being decoded
// finish first. A damaged file that never finishes leaves the thread idle, which is
// safe, so it is waited for only briefly after its first sound.
class MultimediaSoundPlayer final : public SoundPlayer
{
public:
    void play(const QString &path) override
    {
        stop();
        if (!QFileInfo(path).isFile())
            return; // silence; nothing to report
        Effect &effect = effects()[path];
        if (!effect.sound) {
            effect.sound = new QSoundEffect;
            effect.sound->setSource(QUrl::fromLocalFile(path));
            effect.since.start();
        }
        m_playing = effect.sound;
        m_playing->play(); // starts once the file is loaded; a file that fails stays silent
    }

    void close() override
    {
        stop();
        constexpr qint64 kDecodingTime = 2000; // a WAV of the program's is decoded in milliseconds
        for (const Effect &effect : std::as_const(effects())) {
            while (effect.sound->status() == QSoundEffect::Loading && effect.since.elapsed() < kDecodingTime)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }

private:
    void stop()
    {
        if (m_playing)
            m_playing->stop();
        m_playing = nullptr;
    }

    struct Effect
    {
        QSoundEffect *sound = nullptr;
        QElapsedTimer since; ///< since the effect was made and began to load
    };

    // Shared by every player of the run, so that a second player reuses the effects.
    static QHash<QString, Effect> &effects()
    {
        static auto *byPath = new QHash<QString, Effect>;
        return *byPath;
    }

    QSoundEffect *m_playing = nullptr;
};

} // namespace

std::unique_ptr<SoundPlayer> makeMultimediaSoundPlayer()
{
    return std::make_unique<MultimediaSoundPlayer>();
}
