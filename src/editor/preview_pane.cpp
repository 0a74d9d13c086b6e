#include "editor/preview_pane.h"

#include "screens/exercise/exercise_page.h"
#include "screens/exercise/lesson_preparation.h"
#include "screens/look.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// The part of the exercise screen the page takes, in twips: the viewport and its two
// bars. Above it the screen has its menu, which the preview leaves out.
constexpr int kPageRight = 13600;
constexpr int kPageTop = 720;
constexpr int kPageBottom = 10000;

} // namespace

PreviewPane::PreviewPane(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Preview"));
    m_wordBank = new QCheckBox(QStringLiteral("עם מחסנית"), this);
    m_wordBank->setObjectName(QStringLiteral("PreviewWordBank"));
    m_signs = new QCheckBox(QStringLiteral("עם סימנים"), this);
    m_signs->setObjectName(QStringLiteral("PreviewSigns"));
    // As the pupil's options start.
    m_wordBank->setChecked(true);
    m_signs->setChecked(true);
    m_try = new QPushButton(QStringLiteral("נסה את השיעור"), this);
    m_try->setObjectName(QStringLiteral("TryIt"));
    m_refusal = new QLabel(this);
    m_refusal->setObjectName(QStringLiteral("PreviewRefusal"));
    m_refusal->setWordWrap(true);
    Look::setFore(m_refusal, Look::kRefusalRed);
    m_refusal->hide();

    const Units::Scale scale;
    m_area = new QScrollArea(this);
    m_area->setObjectName(QStringLiteral("PreviewArea"));
    m_area->setAccessibleName(QStringLiteral("תצוגה מקדימה של הדף"));
    m_area->setLayoutDirection(Qt::LeftToRight); // the page is English: its left edge first
    auto *window = new QWidget;
    window->setFixedSize(scale.toPixels(kPageRight), scale.toPixels(kPageBottom - kPageTop));
    m_host = new QWidget(window);
    m_host->setObjectName(QStringLiteral("PreviewPage"));
    m_host->setLayoutDirection(Qt::LeftToRight);
    m_host->setGeometry(0, -scale.toPixels(kPageTop), scale.toPixels(kPageRight), scale.toPixels(kPageBottom));
    m_page = new ExercisePage(m_host, scale);
    m_page->setLoadedFonts();
    m_page->updateScrollBars();
    m_area->setWidget(window);

    auto *switches = new QHBoxLayout;
    switches->addWidget(m_wordBank);
    switches->addWidget(m_signs);
    switches->addStretch();
    switches->addWidget(m_try);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(switches);
    layout->addWidget(m_refusal);
    layout->addWidget(m_area, 1);
    for (QCheckBox *box : {m_wordBank, m_signs})
        connect(box, &QCheckBox::toggled, this, &PreviewPane::switchesChanged);
}

Placement::Input PreviewPane::placementInput() const
{
    Placement::Input input = m_page->placementInput();
    input.magazine = m_wordBank->isChecked();
    input.signs = m_signs->isChecked();
    return input;
}

std::optional<LessonRules::Finding> PreviewPane::showLesson(const QString &text)
{
    m_page->reset(m_host->palette().color(QPalette::Window));
    const Placement::Preparation preparation = Placement::prepareLesson(text, placementInput());
    if (!preparation.prepared) {
        m_refusal->setText(QStringLiteral("התלמידים לא יוכלו לפתוח את השיעור: ") + preparation.refusal->hebrew());
        m_refusal->show();
        m_page->textRun(0)->clear();
        return preparation.refusal;
    }
    m_refusal->hide();
    const Placement::Prepared &prepared = *preparation.prepared;
    m_page->show(prepared.lesson, prepared.input, prepared.placed);
    // Enabled, as the pupil finds the gaps once the exercise has started.
    m_page->setGapsEnabled(true);
    return std::nullopt;
}

void PreviewPane::showNothing(const QString &why)
{
    m_page->reset(m_host->palette().color(QPalette::Window));
    m_page->textRun(0)->clear();
    m_refusal->setText(why);
    m_refusal->setVisible(!why.isEmpty());
}
