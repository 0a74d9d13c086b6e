#include "editor/editor_dialogs.h"

#include "editor/worksheet_options_dialog.h"
#include "lessons/patterns.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

bool EditorDialogs::ask(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

EditorDialogs::Unsaved EditorDialogs::askUnsaved(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QString(), text, QMessageBox::NoButton, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    QPushButton *save = box.addButton(QStringLiteral("שמירה"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("בלי לשמור"), QMessageBox::DestructiveRole);
    box.addButton(QStringLiteral("ביטול"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save)
        return Unsaved::Save;
    if (box.clickedButton() == discard)
        return Unsaved::Discard;
    return Unsaved::Cancel;
}

QString EditorDialogs::storeToOpen(QWidget *parent, const QString &folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("פתיחת מאגר שיעורים"), folder,
                                        QStringLiteral("מאגרי שיעורים (*.sqlite *.mdb);;SQLite (*.sqlite);;Access (*.mdb)"));
}

QString EditorDialogs::newStore(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("מאגר SQLite חדש"), suggested,
                                        QStringLiteral("SQLite (*.sqlite)"));
}

QString EditorDialogs::lessonFolder(QWidget *parent, const QString &title, const QString &folder)
{
    return QFileDialog::getExistingDirectory(parent, title, folder);
}

std::optional<std::pair<int, int>> EditorDialogs::askNumbers(QWidget *parent, const QString &title, int pattern, int lesson)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLayoutDirection(Qt::RightToLeft);
    auto *form = new QFormLayout(&dialog);
    auto *patternBox = new QSpinBox(&dialog);
    patternBox->setRange(1, Patterns::kHighestPatternNumber);
    patternBox->setValue(pattern);
    auto *lessonBox = new QSpinBox(&dialog);
    lessonBox->setRange(1, Patterns::kHighestLessonNumber);
    lessonBox->setValue(lesson);
    auto *name = new QLabel(Patterns::PatternName(pattern), &dialog);
    name->setLayoutDirection(Qt::LeftToRight);
    QObject::connect(patternBox, &QSpinBox::valueChanged, name,
                     [name](int number) { name->setText(Patterns::PatternName(number)); });
    form->addRow(QStringLiteral("תבנית:"), patternBox);
    form->addRow(QString(), name);
    form->addRow(QStringLiteral("שיעור:"), lessonBox);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::make_pair(patternBox->value(), lessonBox->value());
}

std::optional<Worksheet::Options> EditorDialogs::worksheetOptions(QWidget *parent, const QString &title,
                                                                  const Worksheet::Options &preset)
{
    WorksheetOptionsDialog dialog(preset, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}

bool EditorDialogs::print(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void EditorDialogs::preview(QWidget *parent, const QString &title, QPrinter &printer,
                            const std::function<void(QPrinter *)> &paint)
{
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    // Tall enough for a whole page to be read.
    if (const QScreen *screen = parent ? parent->screen() : nullptr)
        dialog.resize(screen->availableSize() * 0.8);
    dialog.exec();
}

QString EditorDialogs::pdfFile(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("ייצוא דף עבודה ל-PDF"), suggested,
                                        QStringLiteral("PDF (*.pdf)"));
}
