#pragma once

#include "worksheet/worksheet_options.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

/// What a worksheet of the lesson shows, asked before it is printed, previewed or
/// written as a PDF.
class WorksheetOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    WorksheetOptionsDialog(const Worksheet::Options &preset, QWidget *parent = nullptr);

    Worksheet::Options options() const;

private:
    QCheckBox *m_wordBank = nullptr;
    QCheckBox *m_hints = nullptr;
    QCheckBox *m_key = nullptr;
    QComboBox *m_paper = nullptr;
};
