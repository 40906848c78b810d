// Handlers of the pick options page: the pick method, the exclusion editor, the count view
// per base-number position, the threshold, and restoring or resetting the options.

#include "core/common/DomainError.h"
#include "core/picking/ExclusionCodec.h"
#include "core/picking/PickRules.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/Widgets.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

namespace
{

constexpr int kPanelFontPixels = 15;

// A marked panel is sunk with a bold caption in the colour of its use (fuchsia in the
// exclusion editor, blue in the count view); a normal one is raised, black and regular.
void setPanelMarked(PanelLabel *panel, bool marked, const QColor &markColour)
{
    panel->setLowered(marked);
    panel->setProperty("tag", marked ? 1 : 0);
    panel->setFont(layout::makeFont(kPanelFontPixels, marked));
    layout::setTextColour(panel, marked ? markColour : layout::colour::black);
}

bool isMarked(const PanelLabel *panel)
{
    return panel->property("tag").toInt() == 1;
}

QFont tabFont(int points, bool bold)
{
    QFont f = layout::makeFont(kPanelFontPixels, bold);
    f.setPointSize(points);
    return f;
}

const QString kThresholdMissing = QStringLiteral("過去の抽選回数が入力されていません。");

} // namespace

void TMainForm::connectPickOptions()
{
    const std::pair<QRadioButton *, void (TMainForm::*)()> methods[] = {
        {RadioButton1, &TMainForm::RadioButton1Click},
        {RadioButton2, &TMainForm::RadioButton2Click},
        {RadioButton3, &TMainForm::RadioButton3Click},
        {RadioButton4, &TMainForm::RadioButton4Click},
    };
    // A method handler runs when its button becomes checked, by the player or by program;
    // clicking the method already selected changes nothing.
    for (const auto &[radio, handler] : methods) {
        connect(radio, &QRadioButton::toggled, this, [this, handler = handler](bool checked) {
            if (checked)
                guarded(handler);
        });
    }
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        PanelLabel *panel = numberPanel(n);
        connect(panel, &PanelLabel::clicked, this,
                [this, panel] { runGuarded(this, [this, panel] { ComSet_PnlBtnClick(panel); }); });
    }
    connect(TabControl1, &TabControl::currentChanged, this,
            [this] { guarded(&TMainForm::TabControl1Change); });
    connect(btnUpdate, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnUpdateClick); });
    connect(btnDeleteClear, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnDeleteClearClick); });
    connect(btnAgainUpdate, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnAgainUpdateClick); });
    connect(btnBaseDef, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnBaseDefClick); });
    connect(btnAutoCalc, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnAutoCalcClick); });
}

void TMainForm::restorePickOptions()
{
    // Tag 1 makes btnBaseDefClick apply the stored options instead of the defaults.
    btnBaseDef->setProperty("tag", 1);
    const QString error = captureError([this] { btnBaseDefClick(); });
    btnBaseDef->setProperty("tag", 0);
    if (!error.isEmpty())
        throw DomainError(error);
}

void TMainForm::btnBaseSaveClick()
{
    const bool automatic = !RadioButton1->isChecked();
    editAutoSelectMax->setEnabled(automatic);
    editAutoSelectDefault->setEnabled(automatic);
    btnAutoCalc->setEnabled(automatic);
    const bool countFiltered = RadioButton4->isChecked();
    editSelectRange->setEnabled(countFiltered);
    btnAgainUpdate->setEnabled(countFiltered);
}

void TMainForm::RadioButton1Click()
{
    btnBaseSaveClick();
    groupDeleteNumber->hide();
    m_context->pickSettings().optionIndex = int(PickMethod::Manual);
}

void TMainForm::RadioButton2Click()
{
    btnBaseSaveClick();
    groupDeleteNumber->hide();
    m_context->pickSettings().optionIndex = int(PickMethod::Random);
}

void TMainForm::RadioButton3Click()
{
    // The editor shows the applied set, and that set is in force: what the panels show after
    // a restart or a switch of method is what the generator leaves out.
    m_context->exclusionSet() = exclusion::decode(m_context->pickSettings().deleteNum);
    int marked = 0;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        PanelLabel *panel = numberPanel(n);
        panel->setEnabled(true);
        const bool listed = m_context->exclusionSet()[n - 1] == 1;
        setPanelMarked(panel, listed, layout::colour::fuchsia);
        marked += listed ? 1 : 0;
    }
    groupDeleteNumber->setProperty("tag", marked);
    btnBaseSaveClick();
    groupDeleteNumber->show();
    TabControl1->tabBar()->setFont(tabFont(14, false)); // before the tabs, which size to it
    TabControl1->setTabs({QStringLiteral("除外数字の設定")});
    groupDeleteNumber->setTitle(QStringLiteral("基本数字から選択数字を除外します。"));
    layout::setTextColour(groupDeleteNumber, layout::colour::fuchsia);
    btnUpdate->show();
    btnDeleteClear->show();
    m_context->pickSettings().optionIndex = int(PickMethod::ExclusionBased);
}

void TMainForm::RadioButton4Click()
{
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        numberPanel(n)->setEnabled(false); // a view, not an editor
    btnBaseSaveClick();
    groupDeleteNumber->show();
    TabControl1->tabBar()->setFont(tabFont(18, true));
    TabControl1->setTabs({QStringLiteral("　①"), QStringLiteral("　②"), QStringLiteral("　③"),
                          QStringLiteral("　④"), QStringLiteral("　⑤"), QStringLiteral("　⑥")});
    groupDeleteNumber->setTitle(QStringLiteral("抽選数字の絞り込み範囲（参照のみ）"));
    layout::setTextColour(groupDeleteNumber, layout::colour::blue);
    // A threshold that is not a number leaves the view as it was, but the method is switched
    // all the same, so that what is shown and what is stored agree; the error is reported last.
    const QString error = captureError([this] { TabControl1Change(); });
    btnUpdate->hide();
    btnDeleteClear->hide();
    m_context->pickSettings().optionIndex = int(PickMethod::CountFiltered);
    if (!error.isEmpty())
        throw DomainError(error);
}

void TMainForm::TabControl1Change()
{
    if (!RadioButton4->isChecked())
        return;
    const int position = TabControl1->currentIndex();
    if (position < 0 || position >= kPicksPerLine)
        return;
    const int threshold = parseThreshold(editSelectRange->text());
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        setPanelMarked(numberPanel(n),
                       reachesThreshold(m_context->baseCountTable(), position, n, threshold),
                       layout::colour::blue);
    }
}

void TMainForm::ComSet_PnlBtnClick(PanelLabel *sender)
{
    int marked = groupDeleteNumber->property("tag").toInt();
    if (isMarked(sender)) {
        setPanelMarked(sender, false, layout::colour::black);
        --marked;
    } else if (marked >= exclusion::kMaxExcluded) {
        showGuideMessage(this,
                         QStringLiteral("これ以上の除外数字は設定できません。（最大２０個まで）"));
        return;
    } else {
        setPanelMarked(sender, true, layout::colour::fuchsia);
        ++marked;
    }
    groupDeleteNumber->setProperty("tag", marked);
}

void TMainForm::btnUpdateClick()
{
    m_context->exclusionSet().fill(0);
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        m_context->exclusionSet()[n - 1] = isMarked(numberPanel(n)) ? 1 : 0;
    m_context->pickSettings().deleteNum = exclusion::encode(m_context->exclusionSet());
    showGuideMessage(this, QStringLiteral("除外数字を全て反映しました。"));
}

void TMainForm::btnDeleteClearClick()
{
    if (!askConfirmation(this,
                         QStringLiteral("除外数字が全てリセットされます…。本当によろしいですか？")))
        return;
    m_context->exclusionSet().fill(0);
    groupDeleteNumber->setProperty("tag", 0);
    m_context->pickSettings().deleteNum.clear();
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        setPanelMarked(numberPanel(n), false, layout::colour::black);
}

void TMainForm::btnAgainUpdateClick()
{
    if (editSelectRange->text().trimmed().isEmpty()) {
        showGuideMessage(this, kThresholdMissing);
        return;
    }
    const int positions = qMin(TabControl1->count(), kPicksPerLine);
    if (everyPositionReaches(m_context->baseCountTable(), parseThreshold(editSelectRange->text()),
                             positions)) {
        m_context->pickSettings().autoNum = editAutoSelectDefault->value();
        m_context->pickSettings().rangeNum = editSelectRange->value();
        TabControl1Change();
        return;
    }
    showGuideMessage(this, QStringLiteral("過去の抽選回数の条件を満たしていません。"
                                          "抽選回数を変更してください。"));
    editSelectRange->setText(QStringLiteral("20"));
    editSelectRange->setFocus();
}

void TMainForm::btnBaseDefClick()
{
    if (btnBaseDef->property("tag").toInt() == 0)
        m_context->pickSettings() =
            PickSettings(); // 10 lines, threshold 20, count-filtered, none excluded
    const QString lines = QString::number(m_context->pickSettings().autoNum);
    editAutoSelectDefault->setText(lines);
    editAutoSelectMax->setText(lines);
    editAutoSelectDefault->setEnabled(true);
    editAutoSelectMax->setEnabled(true);
    editSelectRange->setText(QString::number(m_context->pickSettings().rangeNum));
    editSelectRange->setEnabled(true);
    btnAutoCalc->setEnabled(true);

    // Run the method's handler, then check its button (which runs it again when the button
    // was not checked yet, now with the enabled states of the new method).
    QRadioButton *radio = nullptr;
    switch (pickMethodFromIndex(m_context->pickSettings().optionIndex)) {
    case PickMethod::Manual:
        RadioButton1Click();
        radio = RadioButton1;
        break;
    case PickMethod::Random:
        RadioButton2Click();
        radio = RadioButton2;
        break;
    case PickMethod::ExclusionBased:
        RadioButton3Click();
        radio = RadioButton3;
        break;
    case PickMethod::CountFiltered:
        RadioButton4Click();
        radio = RadioButton4;
        break;
    }
    radio->setChecked(true);
}
