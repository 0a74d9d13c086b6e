#include "screens/dialogs.h"

#include <QColorDialog>
#include <QMessageBox>
#include <QPointer>

void Dialogs::inform(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    m_open = &box;
    box.exec();
    m_open = nullptr;
}

bool Dialogs::askYesNo(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    // The question is written for a left-to-right line, its question mark first so
    // that it stands at the left, after the Hebrew words; a mark keeps the line so.
    box.setText(QChar(0x200E) + text);
    m_open = &box;
    const int answer = box.exec();
    m_open = nullptr;
    return answer == QMessageBox::Yes;
}

QColor Dialogs::chooseColour(QWidget *parent, const QColor &preset)
{
    QColorDialog dialog(preset, parent);
    m_open = &dialog;
    const bool chosen = dialog.exec() == QDialog::Accepted;
    m_open = nullptr;
    return chosen ? dialog.selectedColor() : preset;
}

void Dialogs::closeOpenDialog()
{
    if (auto *dialog = qobject_cast<QDialog *>(m_open))
        dialog->reject();
}
