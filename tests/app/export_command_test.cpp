// The command line, run as a user runs it: the built program in a process.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

Outcome run(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the export picks its platform itself
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMARION_BINARY), args);
    Outcome r;
    if (!p.waitForFinished(120000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

}  // namespace

TEST(ExportCommand, BadArgumentsExitTwoNamingTheArgument) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out"));
    // A design whose cam lift is no number: it would read as a lift of 0.
    const QString bad_cam = dir.filePath(QStringLiteral("bad-cam.vmdesign"));
    {
        QFile f(bad_cam);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(R"({"format": "velmarion-design", "schema": 1, "cam": {"HIGH": "abc"}, "parameters": {"hs_h": "225", "hs_d": "170", "hs_e": "50",
                 "hs_k": "1.04", "lg_ak": "0.35", "qb_g": "160", "lg_g": "120", "hs_g": "190", "lg_rk": "0.16",
                 "qb_w": "620", "sd_k": "0.01"}})");
    }
    struct Case {
        QStringList args;
        const char* names;
    } cases[] = {
        {{"export"}, "--out"},
        {{"export", "--out", out, "--hs_k", "0.5"}, "--hs_k"},
        {{"export", "--out", out, "--hs_d", "-170"}, "活塞直径必须大于0"},
        {{"export", "--out", out, "--qb_w", "abc"}, "--qb_w"},
        {{"export", "--out", out, "--colour", "red"}, "--colour"},
        {{"export", "--out", out, "--positions", "0,25"}, "1～24"},
        {{"export", "--out", out, "--format", "pdf,doc"}, "doc"},
        {{"export", "--out", out, "--hs_h"}, "缺少数值"},
        {{"export", "--out", out, "--design", dir.filePath(QStringLiteral("none.vmdesign"))}, "无法打开设计文件"},
        {{"export", "--out", out, "--design", bad_cam}, "凸轮参数 HIGH 的值“abc”不是数字"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.names))) << r.err.toStdString();
    }
    EXPECT_FALSE(QDir(out).exists()) << "a refused command wrote nothing";
    const Outcome help = run({"export", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--positions")));
    // Every kind the exporter writes is named in the help and in the refusal.
    const Outcome bad_format = run({"export", "--out", out, "--format", "jpg"});
    for (const char* kind : {"pdf", "odt", "svg", "csv", "png", "txt"}) {
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(kind))) << kind;
        EXPECT_TRUE(bad_format.err.contains(QString::fromUtf8(kind))) << kind;
    }
}

TEST(ExportCommand, ExportsADesignAndABatchOfGroups) {
    QTemporaryDir dir;
    const Outcome one = run({"export", "--out", dir.filePath(QStringLiteral("one")), "--hs_k", "1.1", "--format", "csv,txt"});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    for (const char* f : {"运动分析.csv", "力分析.csv", "力矩与能量.csv", "从动件运动.csv", "凸轮轮廓.csv", "速度.txt", "力.txt"})
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("one/") + QString::fromUtf8(f)))) << f;
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("one/设计说明书.pdf"))));

    QFile table(dir.filePath(QStringLiteral("groups.csv")));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write("方案,hs_h,hs_d,hs_e,hs_k,lg_ak,qb_g,lg_g,hs_g,lg_rk,qb_w,sd_k\n"
                "甲,225,170,50,1.04,0.35,160,120,190,0.16,620,0.01\n"
                "乙,225,170,5000,1.04,0.35,160,120,190,0.16,620,0.01\n"
                "丙,200,150,40,1.1,0.3,150,110,180,0.15,600,0.02\n");
    table.close();
    const Outcome batch = run({"export", "--groups", table.fileName(), "--out", dir.filePath(QStringLiteral("batch")), "--format", "csv"});
    EXPECT_EQ(batch.status, 1) << "one group has no mechanism";
    EXPECT_TRUE(batch.err.contains(QStringLiteral("[3/3]"))) << batch.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("batch/甲/力分析.csv"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("batch/丙/力分析.csv"))));
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("batch/乙"))).exists());
    QFile summary(dir.filePath(QStringLiteral("batch/答案汇总.csv")));
    ASSERT_TRUE(summary.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(summary.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("乙,该行程"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("丙,已导出")));
}
