// The page "予想オプション設定": the pick method, the exclusion editor, the count view
// per base-number position, the threshold, and restoring or resetting the options.

#include "gui/pages/PickOptionsPage.h"

#include "core/common/DomainError.h"
#include "core/picking/ExclusionCodec.h"
#include "core/picking/PickRules.h"
#include "gui/PageContext.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/MultiRowTabBar.h"
#include "gui/widgets/Pictures.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/Widgets.h"

#include <QGroupBox>
#include <QLabel>
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

PickOptionsPage::PickOptionsPage(PageContext &context, QWidget *parent)
    : Page(parent), m_context(context)
{
    setObjectName(QStringLiteral("TabSheet2"));
    using namespace layout;
    GroupBox5 = groupBox(this, "GroupBox5", QRect(16, 8, 601, 193),
                         QStringLiteral("申込み数字の基本設定"), colour::teal);
    auto radio = [this](const char *name, const QRect &place, const QString &caption) {
        auto *r = new QRadioButton(caption, GroupBox5);
        r->setObjectName(QLatin1String(name));
        r->setGeometry(place);
        r->setCursor(Qt::PointingHandCursor);
        applyStyle(r, 15, false, colour::black);
        return r;
    };
    RadioButton1 =
        radio("RadioButton1", QRect(16, 24, 489, 25),
              QStringLiteral("手動で申込み数字を設定します。（好みの数字が選択できます）"));
    RadioButton2 =
        radio("RadioButton2", QRect(16, 56, 537, 25),
              QStringLiteral("ランダムで申込み数字を弾き出します。（除外数字は含まれません。）"));
    RadioButton3 = radio("RadioButton3", QRect(16, 88, 441, 25),
                         QStringLiteral("除外数字を元に、より確率の高い当選数字を弾き出します。"));
    RadioButton4 =
        radio("RadioButton4", QRect(16, 120, 521, 25),
              QStringLiteral("基本数字毎に抽選回数以上の数字で絞り込み、自動で弾き出します。"));
    RadioButton4->setChecked(true);
    makeOneTabStop({RadioButton1, RadioButton2, RadioButton3, RadioButton4});

    Label1 = label(GroupBox5, "Label1", 19, 157, QStringLiteral("連続申込み口数"));
    editAutoSelectDefault = spinEdit(
        GroupBox5, "editAutoSelectDefault", QRect(137, 154, 49, 24), 1, 100, 1, 3, Qt::AlignRight,
        QStringLiteral("『＄ヨルネ＄』機能で連続購入する、申込み口数を初期設定します。"));
    Label5 = label(GroupBox5, "Label5", 192, 158, QStringLiteral("過去の抽選回数"));
    editSelectRange = spinEdit(
        GroupBox5, "editSelectRange", QRect(310, 155, 49, 24), 1, 100, 1, 3, Qt::AlignRight,
        QStringLiteral("基本数字毎に過去の抽選回数が設定数以上の数字を対象とします。"));
    Label7 = label(GroupBox5, "Label7", 363, 159, QStringLiteral("回以上"));
    btnAgainUpdate = button(GroupBox5, "btnAgainUpdate", QRect(420, 151, 81, 29),
                            QStringLiteral("反映"), colour::navy);
    btnAgainUpdate->setIcon(buttonIcon(ButtonPicture::HandWithSheet));
    btnBaseDef = button(GroupBox5, "btnBaseDef", QRect(508, 151, 81, 29),
                        QStringLiteral("元に戻す"), colour::black);
    btnBaseDef->setProperty("tag", 0);

    groupDeleteNumber = groupBox(this, "groupDeleteNumber", QRect(16, 216, 601, 241),
                                 QStringLiteral("除外数字の設定"), colour::fuchsia);
    groupDeleteNumber->setProperty("tag", 0);
    TabControl1 = new TabControl(groupDeleteNumber);
    TabControl1->setObjectName(QStringLiteral("TabControl1"));
    TabControl1->setGeometry(13, 22, 575, 208);
    TabControl1->setCursor(Qt::PointingHandCursor);
    applyStyle(TabControl1, 19, false, colour::black);
    TabControl1->setTabs({QStringLiteral("基本数字")});

    for (int n = 1; n <= kLotoCount; ++n) {
        const int row = n <= 40 ? (n - 1) / 10 : 3;
        auto *panelButton = new PanelLabel(TabControl1);
        panelButton->setObjectName(QStringLiteral("Panel%1").arg(n));
        panelButton->setGeometry(16 + 40 * (n - 1 - 10 * row), 40 + 40 * row, 33, 33);
        panelButton->setCursor(Qt::PointingHandCursor);
        panelButton->setCheckable(true); // checked while marked (excluded, or in range)
        applyStyle(panelButton, 15);
    }
    // The panels are one stop of the Tab order; Space or Enter marks or clears a panel.
    layout::makeNumberGridOneTabStop(
        [this](int n) {
            return TabControl1->findChild<PanelLabel *>(QStringLiteral("Panel%1").arg(n));
        },
        Qt::Horizontal, TabControl1);
    btnUpdate = button(TabControl1, "btnUpdate", QRect(417, 41, 147, 29),
                       QStringLiteral("予想に反映"), colour::navy);
    btnUpdate->setIcon(buttonIcon(ButtonPicture::HandWithPieces));
    btnDeleteClear = button(TabControl1, "btnDeleteClear", QRect(417, 81, 147, 29),
                            QStringLiteral("全てクリア"), colour::black);

    const std::pair<QRadioButton *, void (PickOptionsPage::*)()> methods[] = {
        {RadioButton1, &PickOptionsPage::RadioButton1Click},
        {RadioButton2, &PickOptionsPage::RadioButton2Click},
        {RadioButton3, &PickOptionsPage::RadioButton3Click},
        {RadioButton4, &PickOptionsPage::RadioButton4Click},
    };
    // A method handler runs when its button becomes checked, by the player or by program;
    // clicking the method already selected changes nothing.
    for (const auto &[radio, handler] : methods) {
        connect(radio, &QRadioButton::toggled, this, [this, handler = handler](bool checked) {
            if (checked)
                runGuarded(window(), [this, handler] { (this->*handler)(); });
        });
    }
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        PanelLabel *panel = numberPanel(n);
        connect(panel, &PanelLabel::clicked, this, [this, panel] {
            runGuarded(window(), [this, panel] { ComSet_PnlBtnClick(panel); });
        });
    }
    connect(TabControl1, &TabControl::currentChanged, this,
            guardedSlot(this, &PickOptionsPage::TabControl1Change));
    connect(btnUpdate, &QPushButton::clicked, this,
            guardedSlot(this, &PickOptionsPage::btnUpdateClick));
    connect(btnDeleteClear, &QPushButton::clicked, this,
            guardedSlot(this, &PickOptionsPage::btnDeleteClearClick));
    connect(btnAgainUpdate, &QPushButton::clicked, this,
            guardedSlot(this, &PickOptionsPage::btnAgainUpdateClick));
    connect(btnBaseDef, &QPushButton::clicked, this,
            guardedSlot(this, &PickOptionsPage::btnBaseDefClick));

    // The line generator follows the method and the threshold as they are now.
    for (QRadioButton *radio : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        connect(radio, &QRadioButton::toggled, this,
                [this] { emit pickChoiceChanged(pickChoice()); });
    connect(editSelectRange, &SpinEdit::textChanged, this,
            [this] { emit pickChoiceChanged(pickChoice()); });
}

PickChoice PickOptionsPage::pickChoice() const
{
    PickMethod method = PickMethod::CountFiltered;
    if (RadioButton1->isChecked())
        method = PickMethod::Manual;
    else if (RadioButton2->isChecked())
        method = PickMethod::Random;
    else if (RadioButton3->isChecked())
        method = PickMethod::ExclusionBased;
    return PickChoice{method, editSelectRange->text()};
}

void PickOptionsPage::setPickMethod(PickMethod method)
{
    m_context.changePickSettings([method](PickSettings &s) { s.optionIndex = int(method); });
}

QString PickOptionsPage::guide() const
{
    return QStringLiteral("除外数字の設定、抽選数字の範囲指定や、分析方法の"
                          "変更など、各種オプションが設定できます。");
}

void PickOptionsPage::InitMainControls()
{
    for (int n = 1; n <= kLotoCount; ++n) {
        PanelLabel *p = numberPanel(n);
        p->setText(twoDigits(n));
        p->setProperty("tag", 0);
        layout::setTextColour(p, layout::colour::black);
    }
}

PanelLabel *PickOptionsPage::numberPanel(int n) const
{
    return findChild<PanelLabel *>(QStringLiteral("Panel%1").arg(n));
}

void PickOptionsPage::restorePickOptions()
{
    // Tag 1 makes btnBaseDefClick apply the stored options instead of the defaults.
    btnBaseDef->setProperty("tag", 1);
    const QString error = captureError([this] { btnBaseDefClick(); });
    btnBaseDef->setProperty("tag", 0);
    if (!error.isEmpty())
        throw DomainError(error);
}

void PickOptionsPage::btnBaseSaveClick()
{
    const bool automatic = !RadioButton1->isChecked();
    emit automaticPickingChanged(automatic);
    editAutoSelectDefault->setEnabled(automatic);
    const bool countFiltered = RadioButton4->isChecked();
    editSelectRange->setEnabled(countFiltered);
    btnAgainUpdate->setEnabled(countFiltered);
}

void PickOptionsPage::RadioButton1Click()
{
    btnBaseSaveClick();
    groupDeleteNumber->hide();
    setPickMethod(PickMethod::Manual);
}

void PickOptionsPage::RadioButton2Click()
{
    btnBaseSaveClick();
    groupDeleteNumber->hide();
    setPickMethod(PickMethod::Random);
}

void PickOptionsPage::RadioButton3Click()
{
    // The editor shows the applied set, and that set is in force: what the panels show after
    // a restart or a switch of method is what the generator leaves out.
    m_context.setExclusionSet(exclusion::decode(m_context.pickSettings().deleteNum));
    int marked = 0;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        PanelLabel *panel = numberPanel(n);
        panel->setEnabled(true);
        const bool listed = m_context.exclusionSet()[n - 1] == 1;
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
    setPickMethod(PickMethod::ExclusionBased);
}

void PickOptionsPage::RadioButton4Click()
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
    setPickMethod(PickMethod::CountFiltered);
    if (!error.isEmpty())
        throw DomainError(error);
}

void PickOptionsPage::TabControl1Change()
{
    if (!RadioButton4->isChecked())
        return;
    const int position = TabControl1->currentIndex();
    if (position < 0 || position >= kPicksPerLine)
        return;
    const int threshold = parseThreshold(editSelectRange->text());
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        setPanelMarked(numberPanel(n),
                       reachesThreshold(m_context.baseCountTable(), position, n, threshold),
                       layout::colour::blue);
    }
}

void PickOptionsPage::ComSet_PnlBtnClick(PanelLabel *sender)
{
    int marked = groupDeleteNumber->property("tag").toInt();
    if (isMarked(sender)) {
        setPanelMarked(sender, false, layout::colour::black);
        --marked;
    } else if (marked >= exclusion::kMaxExcluded) {
        showGuideMessage(window(),
                         QStringLiteral("これ以上の除外数字は設定できません。（最大２０個まで）"));
        return;
    } else {
        setPanelMarked(sender, true, layout::colour::fuchsia);
        ++marked;
    }
    groupDeleteNumber->setProperty("tag", marked);
}

void PickOptionsPage::btnUpdateClick()
{
    ExclusionSet excluded{};
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        excluded[n - 1] = isMarked(numberPanel(n)) ? 1 : 0;
    m_context.setExclusionSet(excluded);
    m_context.changePickSettings(
        [&excluded](PickSettings &s) { s.deleteNum = exclusion::encode(excluded); });
    showGuideMessage(window(), QStringLiteral("除外数字を全て反映しました。"));
}

void PickOptionsPage::btnDeleteClearClick()
{
    if (!askConfirmation(window(),
                         QStringLiteral("除外数字が全てリセットされます…。本当によろしいですか？")))
        return;
    m_context.setExclusionSet({});
    groupDeleteNumber->setProperty("tag", 0);
    m_context.changePickSettings([](PickSettings &s) { s.deleteNum.clear(); });
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        setPanelMarked(numberPanel(n), false, layout::colour::black);
}

void PickOptionsPage::btnAgainUpdateClick()
{
    if (editSelectRange->text().trimmed().isEmpty()) {
        showGuideMessage(window(), kThresholdMissing);
        return;
    }
    const int positions = qMin(TabControl1->count(), kPicksPerLine);
    if (everyPositionReaches(m_context.baseCountTable(), parseThreshold(editSelectRange->text()),
                             positions)) {
        m_context.changePickSettings([this](PickSettings &s) {
            s.autoNum = editAutoSelectDefault->value();
            s.rangeNum = editSelectRange->value();
        });
        TabControl1Change();
        return;
    }
    showGuideMessage(window(), QStringLiteral("過去の抽選回数の条件を満たしていません。"
                                              "抽選回数を変更してください。"));
    editSelectRange->setText(QStringLiteral("20"));
    editSelectRange->setFocus();
}

void PickOptionsPage::btnBaseDefClick()
{
    if (btnBaseDef->property("tag").toInt() == 0)
        m_context.setPickSettings(
            PickSettings()); // 10 lines, threshold 20, count-filtered, none excluded
    const QString lines = QString::number(m_context.pickSettings().autoNum);
    editAutoSelectDefault->setText(lines);
    emit runLineCountChanged(lines);
    editAutoSelectDefault->setEnabled(true);
    editSelectRange->setText(QString::number(m_context.pickSettings().rangeNum));
    editSelectRange->setEnabled(true);
    emit automaticPickingChanged(true);

    // Run the method's handler, then check its button (which runs it again when the button
    // was not checked yet, now with the enabled states of the new method).
    QRadioButton *radio = nullptr;
    switch (pickMethodFromIndex(m_context.pickSettings().optionIndex)) {
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
