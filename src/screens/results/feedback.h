#pragma once

#include <QString>
#include <QStringList>

#include <optional>

/// The feedback of the results screen: a message from the grade's band and a sound.
namespace Feedback {

enum class Band { High, Middle, Low, Negative, AboveHundred };

Band bandOf(int grade);

/// The messages of a band, in their fixed order.
const QStringList &messages(Band band);

/// A whole number 0..9 from a uniform draw in [0, 1).
int messagePick(double uniform);

/// The message for a grade and a pick; nothing above 100, where the previous
/// message stays on the screen.
std::optional<QString> message(int grade, int pick);

/// Sound file below the working folder: applause above 55, the laugh otherwise.
QString soundFor(int grade);

inline const QString kApplause = QStringLiteral("/data/APPLAUSE.wav");
inline const QString kLaugh = QStringLiteral("/data/wickedlaugh.wav");

} // namespace Feedback
