// Automatic line generation ("＄ヨルネ＄"): draws numbers by the selected pick method and
// operates the number board as the player would, one visible number at a time, then decides
// each line into the slate.

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/picking/LineGenerator.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/SpinEdit.h"

#include <QDateTime>
#include <QGroupBox>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>

namespace
{

// How long each accepted number stays in view before the next one is drawn.
constexpr unsigned long kShowNumberMs = 50;

PickedNumbers pickedOnBoard(const TMainForm &form)
{
    PickedNumbers picked{};
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        picked[n - 1] = form.speedButton(n)->isChecked();
    return picked;
}

int pickedCount(const TMainForm &form)
{
    return form.GroupBox1->property("tag").toInt();
}

QString starvedMessage(PickMethod method, int line, int position)
{
    QString text = QStringLiteral("%1口目の基本数字%2に選べる数字が残っていないため、"
                                  "自動選択を中止しました。")
                       .arg(line)
                       .arg(QChar(0x2460 + position)); // ①..⑥
    if (method == PickMethod::CountFiltered)
        text += QStringLiteral("過去の抽選回数を変更してください。");
    return text;
}

// The rule of the method; the count-filtered one reads the threshold as typed now.
AdmissionRule admissionRuleFor(PageContext &context, PickMethod method)
{
    switch (method) {
    case PickMethod::ExclusionBased:
        return AdmissionRule::excluding(context.exclusionSet());
    case PickMethod::CountFiltered:
        return AdmissionRule::countFiltered(context.baseCountTable(),
                                            parseThreshold(context.pickChoice().thresholdText));
    case PickMethod::Manual:
    case PickMethod::Random:
        break;
    }
    return AdmissionRule::random();
}

// Presses the number's button as the player would, and lets it be seen.
void pressAndShow(TMainForm &form, int n)
{
    QToolButton *button = form.speedButton(n);
    button->setChecked(true);
    form.ComSet_SpeedBtnClick(button);
    QThread::msleep(kShowNumberMs);
    form.repaint();
    catchUp();
}

} // namespace

void TMainForm::btnAutoCalcClick()
{
    if (editAutoSelectMax->text().trimmed().isEmpty()) {
        showGuideMessage(this, QStringLiteral("連続申込み口数が入力されていません。"));
        return;
    }
    const PickMethod method = m_context->pickChoice().method;
    if (method == PickMethod::Manual)
        return; // the button is disabled with this method

    // While numbers are shown the window takes messages: a close waits for the run (which
    // then ends after the number in view); the download refuses to reload meanwhile, and the
    // rule keeps its own copy of the tables in any case.
    PageContext::BusyScope busy(*m_context);
    const InputBlock block(pctrlMain); // the board keeps its colours while numbers light up
    WaitCursor wait;

    LotoRandom random(LotoRandom::seedFromTimeOfDay(QDateTime::currentDateTimeUtc().time()));
    const auto lines = parseInteger(editAutoSelectMax->text());
    if (!lines)
        throw DomainError(QStringLiteral("連続申込み口数：") +
                          notAnIntegerMessage(editAutoSelectMax->text()));

    for (int line = 1; line <= *lines; ++line) {
        btnRisetClick();
        const AdmissionRule rule = admissionRuleFor(*m_context, method);
        for (int position = 0; position < kPicksPerLine && pickedCount(*this) < kPicksPerLine;
             ++position) {
            const std::optional<int> n =
                drawAdmissible(random, rule, position, pickedOnBoard(*this));
            if (!n) {
                btnRisetClick();
                showGuideMessage(this, starvedMessage(method, line, position));
                return;
            }
            pressAndShow(*this, *n);
            if (m_context->isCloseRequested()) {
                btnRisetClick();
                return;
            }
        }
        btnSelectClick();
    }
}
