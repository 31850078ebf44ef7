// The settings window's rules without widgets: defaults, the checks in order, the save and
// the cache.

#include "database.h"
#include "globals.h"
#include "scratch_database.h"
#include "settings_cache.h"
#include "settings_table.h"
#include "system_settings.h"
#include "utils/inifile.h"
#include "utils/password.h"
#include "utils/sysset.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class SystemSettings : public mctest::EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        mc::appPath = folder.path() + "/";
        mc::accountSet = "shop";
        mc::settings = {};
    }
    void TearDown() override
    {
        mc::appPath.clear();
        mc::accountSet.clear();
        mc::backupPath.clear();
        mc::settings = {};
    }
    // A form that passes every check.
    mc::SettingsForm validForm()
    {
        mc::SettingsForm f = mc::loadSettingsForm(db());
        f.jeblxs = "1";
        return f;
    }
    QTemporaryDir folder;
};

TEST_P(SystemSettings, AnEmptyTableGetsTheDefaultRowAndEmptyFieldsTheirDefaults)
{
    const mc::SettingsForm f = mc::loadSettingsForm(db());
    EXPECT_EQ(mc::db::scalar(db(), "select count(*) from sysset").toInt(), 1);
    EXPECT_EQ(f.memberws, "8");
    EXPECT_EQ(f.ygws, "8");
    EXPECT_EQ(f.jeblxs, "1");
    EXPECT_EQ(f.dyys, "1");
    EXPECT_TRUE(f.xfdyxp);
    EXPECT_FALSE(f.zcdyxp);
    // The edits that show a text when their key is empty.
    EXPECT_EQ(f.txdays, "1");
    EXPECT_EQ(f.yetxje, "10");
    EXPECT_EQ(f.jftx, "18");
    EXPECT_EQ(f.xfqkh, "0");
    EXPECT_EQ(f.xfhkh, "0");
    EXPECT_EQ(f.dqtxday, "");
    EXPECT_EQ(f.xpprintmode, QStringLiteral("普通打印机"));  // what the cache takes an empty mode for
    EXPECT_EQ(f.loadmm, mc::passwordPlaceholder);

    // A second opening edits the same row.
    mc::loadSettingsForm(db());
    EXPECT_EQ(mc::db::scalar(db(), "select count(*) from sysset").toInt(), 1);
}

TEST_P(SystemSettings, TheChecksRunInOrderAndStopAtTheFirstFailure)
{
    struct Case {
        const char* what;
        std::function<void(mc::SettingsForm&)> edit;
        const char* message;
        const char* field;
    };
    const std::vector<Case> cases = {
        {"birthday days empty", [](auto& f) { f.srtx = true; f.txdays = ""; f.dqtx = true; f.dqtxday = ""; },
         "启用生日提醒必须录入提前提醒天数", "txdays"},
        {"birthday days not whole", [](auto& f) { f.srtx = true; f.txdays = "1.5"; },
         "生日提醒提前天数录入错误，必须是整数", "txdays"},
        {"expiry days empty", [](auto& f) { f.dqtx = true; f.dqtxday = " "; }, "启用到期提醒必须录入提前提醒天数", "dqtxday"},
        {"expiry days not whole", [](auto& f) { f.dqtx = true; f.dqtxday = "-3"; },
         "到期提醒提前天数录入错误，必须是整数", "dqtxday"},
        {"amount empty", [](auto& f) { f.yetx = true; f.yetxje = ""; }, "启用余额提醒必须录入提醒的金额", "yetxje"},
        {"amount not a number", [](auto& f) { f.yetx = true; f.yetxje = "1.2.3"; }, "余额提醒的金额录入错误，必须是数字", "yetxje"},
        {"copies empty with a receipt on", [](auto& f) { f.xkdyxp = true; f.dyys = ""; }, "启用小票打印必须打印份数", "dyys"},
        {"copies not whole", [](auto& f) { f.xfdyxp = true; f.dyys = "2."; }, "打印份数录入错误，必须是整数", "dyys"},
        {"decimals empty", [](auto& f) { f.jeblxs = ""; }, "消费金额保留小数位数必须录入", "jeblxs"},
        {"decimals not whole", [](auto& f) { f.jeblxs = "1.5"; }, "消费金额保留小数位数录入错误，必须是整数", "jeblxs"},
        {"decimals too large to store", [](auto& f) { f.jeblxs = "99999999999"; },
         "消费金额保留小数位数录入错误，必须是整数", "jeblxs"},
        {"lines before", [](auto& f) { f.xfqkh = "."; }, "小票前空行录入错误，必须是整数", "xfqkh"},
        {"lines after", [](auto& f) { f.xfhkh = "1."; }, "小票后空行录入错误，必须是整数", "xfhkh"},
        {"member digits", [](auto& f) { f.memberws = "8.0"; }, "会员编号位数错误，必须是整数", "memberws"},
        {"member digits beyond the column", [](auto& f) { f.memberws = "11"; }, "会员编号位数的数值不应大于10", "memberws"},
        {"staff digits", [](auto& f) { f.ygws = "x"; }, "员工编号位数错误，必须是整数", "ygws"},
        {"staff digits beyond the column", [](auto& f) { f.ygws = "12"; }, "员工编号位数的数值不应大于10", "ygws"},
        {"points empty", [](auto& f) { f.usejftx = true; f.jftx = ""; }, "积分提醒必须设置积分", "jftx"},
        {"points not whole", [](auto& f) { f.usejftx = true; f.jftx = "1e3"; }, "积分提醒积分设置不正确", "jftx"},
    };
    for (const Case& c : cases) {
        mc::SettingsForm f = validForm();
        c.edit(f);
        const mc::Done r = mc::checkSettingsForm(f);
        EXPECT_EQ(r.message, QString::fromUtf8(c.message)) << c.what;
        EXPECT_EQ(r.field, QLatin1String(c.field)) << c.what;
    }
}

TEST_P(SystemSettings, DecimalsOfAmountsAreLimitedToZeroToFour)
{
    const struct {
        const char* typed;
        bool accepted;
    } cases[] = {{"0", true}, {"4", true}, {" 2 ", true}, {"5", false}, {"10", false}, {"-1", false}};
    for (const auto& c : cases) {
        mc::SettingsForm f = validForm();
        f.jeblxs = c.typed;
        const mc::Done r = mc::checkSettingsForm(f);
        EXPECT_EQ(r.ok, c.accepted) << c.typed;
        if (c.accepted)
            continue;
        // "-1" is no whole number to the window's digit rule; the others are out of range.
        const char* expected = QString(c.typed) == "-1" ? "消费金额保留小数位数录入错误，必须是整数"
                                                        : "消费金额保留小数位数应在0到4之间";
        EXPECT_EQ(r.message, QString::fromUtf8(expected)) << c.typed;
        EXPECT_EQ(r.field, "jeblxs") << c.typed;
    }
    // Nothing is saved by a refused check: the window stops before the save.
    EXPECT_EQ(mc::db::scalar(db(), "select jeblxs from sysset").toInt(), 1);
}

TEST_P(SystemSettings, EveryReminderOffWithEmptyFieldsSavesAndEmptyDigitsBecomeEight)
{
    mc::SettingsForm f = mc::loadSettingsForm(db());
    f.srtx = f.dqtx = f.yetx = f.usejftx = false;
    f.xfdyxp = f.zcdyxp = f.xkdyxp = false;
    f.txdays = f.dqtxday = f.yetxje = f.jftx = f.dyys = f.xfqkh = f.xfhkh = "";
    f.memberws = f.ygws = "";
    f.jeblxs = "3";
    ASSERT_TRUE(mc::checkSettingsForm(f).ok);
    EXPECT_EQ(f.ygws, "8");
    EXPECT_EQ(f.memberws, "8");
    EXPECT_EQ(f.xfqkh, "0");
    ASSERT_TRUE(mc::saveSettingsForm(db(), f).ok);
    EXPECT_EQ(mc::db::scalar(db(), "select ygws from sysset").toInt(), 8);
    EXPECT_EQ(mc::db::scalar(db(), "select jeblxs from sysset").toInt(), 3);
    // The copies were not asked for: the stored number stays.
    EXPECT_EQ(mc::db::scalar(db(), "select dyys from sysset").toInt(), 1);
    EXPECT_EQ(mc::readstr("sys", "txdays"), "");
    EXPECT_FALSE(mc::readbool("sys", "srtx"));
}

TEST_P(SystemSettings, SavingStoresEveryControlAndReadsBackTheSame)
{
    mc::db::exec(db(), "insert into xfclass(xfclass) values('普通服务')");
    mc::SettingsForm f = validForm();
    f.useime = "fcitx5";
    f.srtx = true; f.txdays = "3";
    f.dqtx = true; f.dqtxday = "5";
    f.yetx = true; f.yetxje = "9.5";
    f.usejftx = true; f.jftx = "200";
    f.memberws = "6"; f.ygws = "4"; f.dwname = "好运洗车"; f.autobppath = "/srv/bp/";
    f.xpprintmode = "POS打印机"; f.xpprint = "receipt";
    f.dyys = "2"; f.xfqkh = "1"; f.xfhkh = "2";
    f.xfdyxp = false; f.zcdyxp = true; f.xkdyxp = true; f.autoprint = true;
    f.jeblxs = "2"; f.jdms = true; f.kcwlxf = true; f.xfsuseyg = true; f.yxxgzk = true;
    f.xfbxxzclass = true; f.xxxgspjg = true; f.usetm = true; f.mrxfclass = "普通服务";
    f.smswebfs = true; f.smsport = "com3"; f.smssv = "9600"; f.xltdx = "0571"; f.smswg = "网关一";
    f.loadzh = "shop"; f.loadmm = "secret";
    f.membersrsend = true; f.membersrsendxx = "生日快乐";
    ASSERT_TRUE(mc::checkSettingsForm(f).ok);
    ASSERT_TRUE(mc::saveSettingsForm(db(), f).ok);

    mc::SettingsForm back = mc::loadSettingsForm(db());
    back.loadmm = f.loadmm;  // shown as the placeholder; checked below
    back.receiptTitle1 = f.receiptTitle1;
    EXPECT_EQ(back.useime, f.useime);
    EXPECT_EQ(back.txdays, "3");
    EXPECT_EQ(back.yetxje, "9.5");
    EXPECT_EQ(back.memberws, "6");
    EXPECT_EQ(back.dwname, f.dwname);
    EXPECT_EQ(back.autobppath, f.autobppath);
    EXPECT_EQ(back.xpprint, f.xpprint);
    EXPECT_EQ(back.dyys, "2");
    EXPECT_FALSE(back.xfdyxp);
    EXPECT_TRUE(back.zcdyxp && back.xkdyxp && back.autoprint && back.jdms && back.kcwlxf && back.xfsuseyg
                && back.yxxgzk && back.xfbxxzclass && back.xxxgspjg && back.usetm && back.smswebfs
                && back.membersrsend && back.usejftx && back.dqtx && back.srtx && back.yetx);
    EXPECT_EQ(back.mrxfclass, f.mrxfclass);
    EXPECT_EQ(back.smsport, "com3");
    EXPECT_EQ(back.smssv, "9600");
    EXPECT_EQ(back.xltdx, "0571");
    EXPECT_EQ(back.smswg, f.smswg);
    EXPECT_EQ(back.loadzh, "shop");
    EXPECT_EQ(back.membersrsendxx, f.membersrsendxx);
    EXPECT_EQ(mc::decodepwd(mc::readstr("smsset", "loadmm")), "secret");
}

namespace {

// A value for every setting of the table that differs from its default, in two rounds, so each
// flag is saved both ways and each text changes between the rounds.
void fillEveryField(mc::SettingsForm& f, int round)
{
    int i = 0;
    for (const mc::Setting& s : mc::settingsTable()) {
        ++i;
        if (const auto* flag = std::get_if<bool mc::SettingsForm::*>(&s.form)) {
            f.**flag = round == 1;
        } else if (const auto* text = std::get_if<QString mc::SettingsForm::*>(&s.form)) {
            switch (s.kind) {
            case mc::SettingKind::Whole:
                f.**text = QString::number((i + round) % 4 + 1);  // within every range: decimals 0–4, digits 0–10
                break;
            case mc::SettingKind::Amount:
                f.**text = round == 1 ? "9.5" : "12.25";
                break;
            default:
                f.**text = QStringLiteral("值%1-%2").arg(QLatin1String(s.key)).arg(round);
            }
        }
    }
}

// A form's value of a setting as text, flags as "1"/"0".
QString formText(const mc::SettingsForm& f, const mc::Setting& s)
{
    if (const auto* flag = std::get_if<bool mc::SettingsForm::*>(&s.form))
        return f.**flag ? "1" : "0";
    return f.*std::get<QString mc::SettingsForm::*>(s.form);
}

}  // namespace

TEST_P(SystemSettings, EverySettingOfTheTableIsStoredInItsPlaceAndReadBackEqual)
{
    for (int round : {1, 2}) {
        mc::SettingsForm f = mc::loadSettingsForm(db());
        fillEveryField(f, round);
        ASSERT_TRUE(mc::checkSettingsForm(f).ok) << mc::checkSettingsForm(f).message.toStdString();
        ASSERT_TRUE(mc::saveSettingsForm(db(), f).ok) << round;

        const mc::IniFile ini = mc::IniFile::load(mc::syssetPath());
        const mc::SettingsForm back = mc::loadSettingsForm(db());
        mc::settings = {};
        mc::settings.receiptTitle1 = f.receiptTitle1;  // kept by the running program only
        mc::loadSettingsCache(db());
        for (const mc::Setting& s : mc::settingsTable()) {
            const QString key = QLatin1String(s.key);
            const std::string what = key.toStdString() + " round " + std::to_string(round);
            if (std::holds_alternative<std::monostate>(s.form))
                continue;
            const QString saved = formText(f, s);
            // In its place: the row's column or the file's key.
            if (s.place == mc::SettingPlace::Row) {
                const QVariant v = mc::db::scalar(db(), QStringLiteral("select %1 from sysset").arg(key));
                EXPECT_EQ(std::holds_alternative<bool mc::SettingsForm::*>(s.form) ? QString(v.toBool() ? "1" : "0")
                                                                                    : v.toString(),
                          saved) << what;
            } else if (s.place != mc::SettingPlace::Nowhere) {
                const QString stored = ini.value(mc::iniSection(s), key).value_or("(missing)");
                EXPECT_EQ(s.kind == mc::SettingKind::Password ? mc::decodepwd(stored) : stored, saved) << what;
            }
            // Back in the window, but for the password, which shows the placeholder.
            EXPECT_EQ(formText(back, s), s.kind == mc::SettingKind::Password ? mc::passwordPlaceholder : saved) << what;
            // And in the cache as the next start reads it.
            if (const auto* flag = std::get_if<bool mc::SettingsCache::*>(&s.cache)) {
                EXPECT_EQ(mc::settings.**flag, round == 1) << what;
            } else if (const auto* whole = std::get_if<int mc::SettingsCache::*>(&s.cache)) {
                EXPECT_EQ(mc::settings.**whole, saved.toInt()) << what;
            } else if (const auto* amount = std::get_if<double mc::SettingsCache::*>(&s.cache)) {
                EXPECT_EQ(mc::settings.**amount, saved.toDouble()) << what;
            } else if (const auto* text = std::get_if<QString mc::SettingsCache::*>(&s.cache);
                       text && (s.place != mc::SettingPlace::Nowhere || key == "receiptTitle1")) {
                EXPECT_EQ(mc::settings.**text, saved) << what;
            }
        }
        EXPECT_EQ(mc::backupPath, f.autobppath);
    }
}

TEST_P(SystemSettings, AnUnsetDecimalsSettingReadsAsOne)
{
    EXPECT_EQ(mc::SettingsCache{}.jeblxs, 1);
    mc::loadSettingsCache(db());  // no row yet
    EXPECT_EQ(mc::settings.jeblxs, 1);
    mc::loadSettingsForm(db());  // adds the default row
    mc::settings.jeblxs = 3;
    mc::loadSettingsCache(db());
    EXPECT_EQ(mc::settings.jeblxs, 1);
}

TEST_P(SystemSettings, TheUntouchedPasswordPlaceholderKeepsTheStoredPassword)
{
    mc::writestr("smsset", "loadmm", mc::encodepwd("secret"));
    mc::SettingsForm f = validForm();
    ASSERT_EQ(f.loadmm, mc::passwordPlaceholder);
    ASSERT_TRUE(mc::saveSettingsForm(db(), f).ok);
    EXPECT_EQ(mc::decodepwd(mc::readstr("smsset", "loadmm")), "secret");

    f.loadmm = "";  // cleared on purpose
    ASSERT_TRUE(mc::saveSettingsForm(db(), f).ok);
    EXPECT_EQ(mc::decodepwd(mc::readstr("smsset", "loadmm")), "");
}

TEST_P(SystemSettings, TheCacheIsRefreshedAtOnceExceptWhatWaitsForTheNextStart)
{
    mc::writestr("sys", "windowlist", "2");
    mc::loadSettingsCache(db());
    EXPECT_EQ(mc::settings.jeblxs, 1);  // the default row's, once read
    EXPECT_EQ(mc::settings.windowlist, 2);
    EXPECT_EQ(mc::settings.receiptPrinterKind, 2);

    mc::SettingsForm f = validForm();
    f.jeblxs = "0";
    f.useime = "ibus";
    f.usejftx = true; f.jftx = "50";
    f.dqtx = true; f.dqtxday = "9";
    f.yetx = true; f.yetxje = "9.5";
    f.xpprintmode = "POS打印机";
    f.autobppath = "/srv/bp/";
    f.receiptTitle1 = "好运洗车";
    f.receiptFooter2 = "谢谢光临";
    ASSERT_TRUE(mc::saveSettingsForm(db(), f).ok);
    EXPECT_EQ(mc::settings.jeblxs, 0);
    EXPECT_EQ(mc::settings.yetxje, 9.5);
    EXPECT_TRUE(mc::settings.yetx);
    EXPECT_EQ(mc::settings.receiptPrinterKind, 1);
    EXPECT_EQ(mc::settings.receiptTitle1, "好运洗车");
    EXPECT_EQ(mc::settings.receiptFooter2, "谢谢光临");
    EXPECT_EQ(mc::backupPath, "/srv/bp/");
    // Used only from the next start.
    EXPECT_EQ(mc::settings.useime, "");
    EXPECT_FALSE(mc::settings.usejftx);
    EXPECT_EQ(mc::settings.jftx, 0);
    EXPECT_FALSE(mc::settings.dqtx);
    EXPECT_EQ(mc::settings.dqtxday, 0);
    EXPECT_EQ(mc::settings.windowlist, 2);

    // The next start reads them; the receipt texts stay what the save set.
    mc::loadSettingsCache(db());
    EXPECT_EQ(mc::settings.useime, "ibus");
    EXPECT_EQ(mc::settings.jftx, 50);
    EXPECT_EQ(mc::settings.dqtxday, 9);
    EXPECT_EQ(mc::settings.yetxje, 9.5);
    EXPECT_EQ(mc::settings.receiptTitle1, "好运洗车");
    // The window shows them again, so a second save does not wipe them.
    EXPECT_EQ(mc::loadSettingsForm(db()).receiptFooter2, "谢谢光临");
}

TEST_P(SystemSettings, UnreadableIniNumbersCountAsZeroAndNoRowMeansTheDefaults)
{
    mc::writestr("sys", "txdays", "abc");
    mc::writestr("sys", "yetxje", "x");
    mc::loadSettingsCache(db());
    EXPECT_EQ(mc::settings.txdays, 0);
    EXPECT_EQ(mc::settings.yetxje, 0.0);
    EXPECT_EQ(mc::settings.jeblxs, 1);
    EXPECT_EQ(mc::settings.ygws, 8);
    EXPECT_EQ(mc::db::scalar(db(), "select count(*) from sysset").toInt(), 0);  // reading adds no row
}

TEST_P(SystemSettings, ASettingsFileThatCannotBeWrittenIsReportedAndTheCacheKept)
{
    mc::SettingsForm f = validForm();
    f.jeblxs = "0";
    mc::appPath = folder.path() + "/missing/";  // no such folder: the file cannot be written
    const QString message = mc::saveSettingsForm(db(), f).message;
    EXPECT_TRUE(message.startsWith(QStringLiteral("出现错误，无法保存"))) << message.toStdString();
    EXPECT_EQ(mc::settings.jeblxs, 1);  // the cache's own, not the 0 of the save
}

TEST_P(SystemSettings, TheBackupFolderChooserProposesAFileAndKeepsItsFolder)
{
    const QString proposed = mc::proposedBackupFile("");
    EXPECT_EQ(proposed, mc::appPath + "shopbp/autobp.bp");
    EXPECT_TRUE(QDir(mc::appPath + "shopbp").exists());
    EXPECT_EQ(mc::proposedBackupFile("/srv/bp"), "/srv/bp/autobp.bp");
    EXPECT_EQ(mc::chosenBackupFolder("/srv/other/x.bp"), "/srv/other/");
}

TEST_P(SystemSettings, TheServiceTypesListComesFromTheTable)
{
    mc::db::exec(db(), "insert into xfclass(xfclass) values('洗车'), ('美容')");
    EXPECT_EQ(mc::serviceTypes(db()), QStringList({"洗车", "美容"}));
}

MC_ENGINES(SystemSettings);
