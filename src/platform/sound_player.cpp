#include "platform/sound_player.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace {

class MultimediaSoundPlayer final : public SoundPlayer
{
public:
    void play(const QString &path) override
    {
        close();
        if (!QFileInfo(path).isFile())
            return; // silence; nothing to report
        ensurePlayer();
        m_player->setSource(QUrl::fromLocalFile(path));
        m_player->play();
    }

    void close() override
    {
        if (!m_player)
            return;
        m_player->stop();
        m_player->setSource(QUrl());
    }

private:
    // Created on first use, so that start-up does not wait for the audio back end.
    void ensurePlayer()
    {
        if (m_player)
            return;
        m_output = std::make_unique<QAudioOutput>();
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_output.get());
    }

    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
};

} // namespace

std::unique_ptr<SoundPlayer> makeMultimediaSoundPlayer()
{
    return std::make_unique<MultimediaSoundPlayer>();
}
