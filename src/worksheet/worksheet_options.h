#pragma once

#include "worksheet/sheet_content.h"

#include <QList>
#include <QString>

namespace Worksheet {

enum class Paper { A4, Letter };

/// What a teacher chooses for a worksheet.
struct Options
{
    bool wordBank = false;  ///< a box with the answers in alphabetical order
    bool hints = false;     ///< each answer's letter-signs mask under its blank
    bool answerKey = true;  ///< the answers filled in, on pages of their own
    Paper paper = Paper::A4;
};

/// One lesson to print: its content and a line naming it above the heading
/// (pattern and lesson), or none.
struct Sheet
{
    SheetContent content;
    QString caption;
};

} // namespace Worksheet
