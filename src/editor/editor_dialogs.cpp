#include "editor/editor_dialogs.h"

#include "lessons/patterns.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
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
