#pragma once

#include "lessons/lesson_rules.h"
#include "screens/exercise/page_placement.h"

#include <QWidget>

#include <optional>

class ExercisePage;
class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

/// The page as the pupil will see it: the lesson built, placed and drawn by the
/// exercise screen's own page, with the word bank and letter signs switched as the
/// teacher wants to look at it.
class PreviewPane : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewPane(QWidget *parent = nullptr);

    /// Shows text on the page, or says why the pupil program would refuse it.
    std::optional<LessonRules::Finding> showLesson(const QString &text);
    /// An empty page with a word why.
    void showNothing(const QString &why);
    /// What the placement takes from the page as it stands.
    Placement::Input placementInput() const;
    QPushButton *tryButton() const { return m_try; }

signals:
    void switchesChanged();

private:
    QCheckBox *m_wordBank = nullptr;
    QCheckBox *m_signs = nullptr;
    QPushButton *m_try = nullptr;
    QLabel *m_refusal = nullptr;
    QScrollArea *m_area = nullptr;
    QWidget *m_host = nullptr;
    ExercisePage *m_page = nullptr;
};
