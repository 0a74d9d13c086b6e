#pragma once

#include <QString>

#include <memory>

/// Plays the program's WAV files: a new sound stops the previous one, play returns at
/// once, and a missing or unplayable file is silence and nothing else.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &path) = 0;
    /// Stops what plays and releases the device; called before the program ends.
    virtual void close() = 0;
};

/// The player over Qt Multimedia.
std::unique_ptr<SoundPlayer> makeMultimediaSoundPlayer();
