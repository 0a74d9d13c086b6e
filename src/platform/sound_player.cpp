#include "platform/sound_player.h"

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
class MultimediaSoundPlayer final : public SoundPlayer
{
public:
    void play(const QString &path) override
    {
        stop();
        if (!QFileInfo(path).isFile())
            return; // silence; nothing to report
        QSoundEffect *&effect = effects()[path];
        if (!effect) {
            effect = new QSoundEffect;
            effect->setSource(QUrl::fromLocalFile(path));
        }
        m_playing = effect;
        m_playing->play(); // starts once the file is loaded; a file that fails stays silent
    }

    void close() override { stop(); }

private:
    void stop()
    {
        if (m_playing)
            m_playing->stop();
        m_playing = nullptr;
    }

    // Shared by every player of the run, so that a second player reuses the effects.
    static QHash<QString, QSoundEffect *> &effects()
    {
        static auto *byPath = new QHash<QString, QSoundEffect *>;
        return *byPath;
    }

    QSoundEffect *m_playing = nullptr;
};

} // namespace

std::unique_ptr<SoundPlayer> makeMultimediaSoundPlayer()
{
    return std::make_unique<MultimediaSoundPlayer>();
}
