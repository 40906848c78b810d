#include "gui/AccessibleNames.h"

#include <QWidget>

namespace
{

struct SpokenName {
    const char *objectName;
    const char *name;
    const char *description;
};

// By window, in the order the controls stand.
const SpokenName kSpokenNames[] = {
    // The main page.
    {"editNewNum", "開催回", nullptr},
    {"editAutoSelectMax", "連続申込み口数", "＄ヨルネ＄で続けて弾き出す口数"},
    {"gridSelectItem", "申込み数字の一覧", "決定した申込み数字。行を選んで取消、保存"},
    // The options page.
    {"editAutoSelectDefault", "連続申込み口数の初期値", nullptr},
    {"editSelectRange", "過去の抽選回数（この回数以上）", nullptr},
    {"btnAgainUpdate", "基本設定を反映", nullptr},
    {"btnBaseDef", "基本設定を元に戻す", nullptr},
    // The check, trend, ticket list, history and prize pages.
    {"editSelectNum", "照合する開催回", nullptr},
    {"gridHitSel", "照合結果の一覧", nullptr},
    {"cmbChartKind", "グラフ種別", nullptr},
    {"editLoto6Num", "照会する開催回", nullptr},
    {"gridLoto6", "保存された申込み数字の一覧", "行を選んで１行取消"},
    {"viewHistory", "抽選結果の一覧", "開催回、抽選日付、本数字①～⑥、ボーナス数字"},
    {"gridMoney", "当選金額の一覧", "開催回ごとの各等級の当選金額と口数、キャリーオーバー"},
    // The result entry.
    {"editDrawNumber", "開催回", nullptr},
    {"editDate", "抽選日", "年/月/日、例 2025/10/02"},
    {"editNumber1", "本数字１", nullptr},
    {"editNumber2", "本数字２", nullptr},
    {"editNumber3", "本数字３", nullptr},
    {"editNumber4", "本数字４", nullptr},
    {"editNumber5", "本数字５", nullptr},
    {"editNumber6", "本数字６", nullptr},
    {"editBonus", "ボーナス数字", nullptr},
    {"editAmount1", "１等の当選金額（円）", "空欄は 0"},
    {"editWinners1", "１等の口数", "空欄は 0"},
    {"editAmount2", "２等の当選金額（円）", "空欄は 0"},
    {"editWinners2", "２等の口数", "空欄は 0"},
    {"editAmount3", "３等の当選金額（円）", "空欄は 0"},
    {"editWinners3", "３等の口数", "空欄は 0"},
    {"editAmount4", "４等の当選金額（円）", "空欄は 0"},
    {"editWinners4", "４等の口数", "空欄は 0"},
    {"editAmount5", "５等の当選金額（円）", "空欄は 0"},
    {"editWinners5", "５等の口数", "空欄は 0"},
    {"editCarryOver", "キャリーオーバー（円）", "空欄は 0"},
    // The line against the whole history.
    {"editLineHistory", "組合せ", "６個の数字を空白かカンマで区切る"},
    {"gridLineHistory", "等級ごとの当選回数", nullptr},
    // The report.
    {"tabTicketReport", "収支レポート", nullptr},
    {"gridTicketReport", "開催回ごとの収支", nullptr},
    {"gridPrizeClaims", "当選一覧", "受取済みの列はチェックボックス"},
    // The test of randomness and the statistics.
    {"editRandomnessDraws", "対象にする抽選回数（新しい方から）", nullptr},
    {"gridRandomness", "数字ごとの出現回数と期待値", nullptr},
    {"cmbRandomnessPosition", "位置", "グラフに示す、小さい方からの位置"},
    {"gridRandomnessTests", "検定の結果", nullptr},
    {"editStatisticsDraws", "対象にする抽選回数（新しい方から）", nullptr},
    {"tabStatistics", "統計", nullptr},
    {"gridIntervals", "数字ごとの出現間隔", nullptr},
    {"gridRepeats", "引っ張りの回数と期待値", nullptr},
    {"gridConsecutive", "連番の回数と期待値", nullptr},
    {"gridOddEven", "奇数の個数ごとの回数と期待値", nullptr},
    {"gridSums", "合計ごとの回数と期待値", nullptr},
    {"gridLastDigits", "下一桁ごとの出現回数と期待値", nullptr},
    {"gridPairs", "ペアの出現回数と期待値", nullptr},
    {"gridWeekday", "曜日ごとの出現回数と期待値", nullptr},
    // The About box.
    {"ProgramIcon", "ロト６ヨルネのアイコン", nullptr},
};

} // namespace

void nameForScreenReaders(QWidget *window)
{
    for (const SpokenName &spoken : kSpokenNames) {
        for (QWidget *control : window->findChildren<QWidget *>(QLatin1String(spoken.objectName))) {
            control->setAccessibleName(QString::fromUtf8(spoken.name));
            if (spoken.description)
                control->setAccessibleDescription(QString::fromUtf8(spoken.description));
        }
    }
}
