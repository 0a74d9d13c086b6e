#include "platform/sound_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace {

// QSoundEffect decodes its WAV file on a thread of its own, so neither a long sound
// nor a damaged file can hold up the screen that asked for it.
class MultimediaSoundPlayer final : public SoundPlayer
{
public:
    void play(const QString &path) override
    {
        stop();
        if (!QFileInfo(path).isFile())
            return; // silence; nothing to report
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(QUrl::fromLocalFile(path));
        m_effect->play(); // starts once the file is loaded; a file that fails stays silent
    }

    void close() override { stop(); }

private:
    void stop()
    {
        if (!m_effect)
            return;
        m_effect->stop();
        m_effect.reset(); // releases the device
    }

    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace

std::unique_ptr<SoundPlayer> makeMultimediaSoundPlayer()
{
    return std::make_unique<MultimediaSoundPlayer>();
}
