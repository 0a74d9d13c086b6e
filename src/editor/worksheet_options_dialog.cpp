#include "editor/worksheet_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

WorksheetOptionsDialog::WorksheetOptionsDialog(const Worksheet::Options &preset, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("WorksheetOptions"));
    setLayoutDirection(Qt::RightToLeft);
    m_wordBank = new QCheckBox(QStringLiteral("עם מחסנית: כל התשובות בתיבה, בסדר האלף-בית"), this);
    m_wordBank->setObjectName(QStringLiteral("WorksheetWordBank"));
    m_wordBank->setChecked(preset.wordBank);
    m_hints = new QCheckBox(QStringLiteral("עם סימנים: סימני האותיות של התשובה מתחת לכל קו"), this);
    m_hints->setObjectName(QStringLiteral("WorksheetHints"));
    m_hints->setChecked(preset.hints);
    m_key = new QCheckBox(QStringLiteral("עם מפתח תשובות, בעמודים נפרדים"), this);
    m_key->setObjectName(QStringLiteral("WorksheetKey"));
    m_key->setChecked(preset.answerKey);
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("WorksheetPaper"));
    m_paper->addItem(QStringLiteral("A4"), int(Worksheet::Paper::A4));
    m_paper->addItem(QStringLiteral("Letter"), int(Worksheet::Paper::Letter));
    m_paper->setCurrentIndex(m_paper->findData(int(preset.paper)));

    auto *form = new QFormLayout(this);
    form->addRow(m_wordBank);
    form->addRow(m_hints);
    form->addRow(m_key);
    form->addRow(QStringLiteral("גודל הדף:"), m_paper);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("WorksheetButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

Worksheet::Options WorksheetOptionsDialog::options() const
{
    return {m_wordBank->isChecked(), m_hints->isChecked(), m_key->isChecked(),
            Worksheet::Paper(m_paper->currentData().toInt())};
}
