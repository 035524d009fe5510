#pragma once

#include <QString>

// What several forms show alike.
namespace shared {

// The title of every message box that tells the pupil to look out.
inline const QString kLetOp = QStringLiteral("Let op!");

// The emblem on the picture buttons and the end screen.
inline const QString kEmblem = QStringLiteral(":/pictures/emblem.jpg");

} // namespace shared
