// How the settings panel reads the server's answers, and which download path moves it refuses.

#include "DownloadPathMove.h"
#include "UpdateRules.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using gearbay::DownloadPathMove;
using gearbay::UpdateRules;
using Progress = UpdateRules::ProgramProgress;
using Material = UpdateRules::MaterialStep;
using Version = UpdateRules::VersionStep;
using Refusal = DownloadPathMove::Refusal;

Q_DECLARE_METATYPE(Progress::Action)
Q_DECLARE_METATYPE(Material)
Q_DECLARE_METATYPE(Version)
Q_DECLARE_METATYPE(Refusal)

class TestUpdateRules : public QObject
{
    Q_OBJECT

private slots:
    void programProgress_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<Progress::Action>("action");
        QTest::addColumn<int>("shown");
        // clang-format off
        QTest::newRow("accepted") << "0" << Progress::Show << 0;
        QTest::newRow("95 shown as is") << "95" << Progress::Show << 95;
        QTest::newRow("96 held back") << "96" << Progress::Show << 95;
        QTest::newRow("100 is not done yet") << "100" << Progress::Show << 99;
        QTest::newRow("200 installed") << "200" << Progress::Complete << 100;
        QTest::newRow("network failure") << "-1" << Progress::Fail << 0;
        QTest::newRow("101 is no percentage") << "101" << Progress::Fail << 0;
        QTest::newRow("not a number") << "abc" << Progress::Fail << 0;
        // clang-format on
    }

    void programProgress()
    {
        QFETCH(QString, value);
        QFETCH(Progress::Action, action);
        const Progress progress = UpdateRules::programProgress(value);
        QCOMPARE(progress.emAction, action);
        if (action != Progress::Fail)
            QTEST(progress.iShown, "shown");
    }

    void materialAnswers_data()
    {
        QTest::addColumn<bool>("download"); // true: the download answer (method 1), false: progress
        QTest::addColumn<bool>("hasKey");
        QTest::addColumn<QString>("value");
        QTest::addColumn<Material>("step");
        // clang-format off
        QTest::newRow("download accepted") << true << true << "0" << Material::KeepPolling;
        QTest::newRow("download no package") << true << true << "404" << Material::NoMaterial;
        QTest::newRow("download no answer for key 0") << true << false << "" << Material::Failed;
        QTest::newRow("download 200 is no acceptance") << true << true << "200" << Material::Failed;
        QTest::newRow("progress 0") << false << true << "0" << Material::KeepPolling;
        QTest::newRow("progress 100 still polls") << false << true << "100" << Material::KeepPolling;
        QTest::newRow("progress installed") << false << true << "200" << Material::Done;
        QTest::newRow("progress missing package") << false << true << "404" << Material::NoMaterial;
        QTest::newRow("progress cannot save") << false << true << "400" << Material::Failed;
        QTest::newRow("progress garbage") << false << true << "x" << Material::Failed;
        // clang-format on
    }

    void materialAnswers()
    {
        QFETCH(bool, download);
        QFETCH(bool, hasKey);
        QFETCH(QString, value);
        QTEST(download ? UpdateRules::materialDownloadStep(hasKey, value) : UpdateRules::materialProgressStep(value),
            "step");
    }

    void versionAnswer_data()
    {
        QTest::addColumn<bool>("hasKey");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("material");
        QTest::addColumn<int>("programNeedsUpdate");
        QTest::addColumn<Version>("step");
        // clang-format off
        QTest::newRow("not about the material") << false << "" << "1.0.0" << 0 << Version::Ignore;
        QTest::newRow("server could not tell") << true << "" << "1.0.0" << 0 << Version::CheckFailed;
        QTest::newRow("newer material") << true << "1.1.0" << "1.0.0" << 0 << Version::DownloadMaterial;
        QTest::newRow("older material is fetched too") << true << "0.9.0" << "1.0.0" << 1 << Version::DownloadMaterial;
        QTest::newRow("same, program waiting") << true << "1.0.0" << "1.0.0" << 1 << Version::OfferProgram;
        QTest::newRow("same, nothing new") << true << "1.0.0" << "1.0.0" << 0 << Version::NoNewVersion;
        // clang-format on
    }

    void versionAnswer()
    {
        QFETCH(bool, hasKey);
        QFETCH(QString, server);
        QFETCH(QString, material);
        QFETCH(int, programNeedsUpdate);
        QTEST(UpdateRules::versionStep(hasKey, server, material.toStdString(), programNeedsUpdate), "step");
    }

    void pathRefusals_data()
    {
        QTest::addColumn<int>("downloading");
        QTest::addColumn<bool>("toolRunning");
        QTest::addColumn<QString>("oldPath"); // relative to a temporary folder
        QTest::addColumn<QString>("newPath");
        QTest::addColumn<qint64>("freeGiB");
        QTest::addColumn<Refusal>("refusal");
        // clang-format off
        QTest::newRow("downloading wins over open tool") << 2 << true << "a" << "b" << qint64(50) << Refusal::Downloading;
        QTest::newRow("1 GiB free") << 0 << false << "a" << "b" << qint64(1) << Refusal::LowDiskSpace;
        QTest::newRow("exactly 2 GiB free") << 0 << false << "a" << "b" << qint64(2) << Refusal::None;
        QTest::newRow("same path, trailing slash") << 0 << false << "a" << "a/" << qint64(50) << Refusal::NestedTarget;
        QTest::newRow("inside SubTools") << 0 << false << "a" << "a/SubTools/Tool" << qint64(50) << Refusal::NestedTarget;
        QTest::newRow("inside SubTools via link") << 0 << false << "a" << "link/SubTools/x" << qint64(50) << Refusal::NestedTarget;
        QTest::newRow("old tree inside new SubTools") << 0 << false << "b/SubTools/old" << "b" << qint64(50) << Refusal::NestedTarget;
        QTest::newRow("beside SubTools") << 0 << false << "a" << "a/Other" << qint64(50) << Refusal::None;
        QTest::newRow("name sharing a prefix") << 0 << false << "a" << "a2" << qint64(50) << Refusal::None;
        QTest::newRow("no path yet") << 0 << false << "" << "b" << qint64(50) << Refusal::None;
        // clang-format on
    }

    void pathRefusals()
    {
        QFETCH(int, downloading);
        QFETCH(bool, toolRunning);
        QFETCH(QString, oldPath);
        QFETCH(QString, newPath);
        QFETCH(qint64, freeGiB);

        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a/SubTools/Tool")));
        QVERIFY(QFile::link(dir.path() + QStringLiteral("/a"), dir.path() + QStringLiteral("/link")));
        const QString strOld = oldPath.isEmpty() ? QString() : dir.path() + QLatin1Char('/') + oldPath;

        Refusal emGot = DownloadPathMove::refusalBeforeChoosing(downloading, toolRunning);
        if (emGot == Refusal::None)
            emGot = DownloadPathMove::refusalForTarget(strOld, dir.path() + QLatin1Char('/') + newPath, freeGiB);
        QTEST(emGot, "refusal");
    }

    // With no download path yet there is no old tree: the move only makes the new one, and never takes
    // a folder of the working directory or the file system root for the old tools.
    void firstPathMovesNothing()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("SubTools/Tool")));
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString strTarget = dir.path() + QStringLiteral("/SubTools/Tool/New/SubTools");
        DownloadPathMove move(QString(), strTarget);
        QVERIFY(move.copy());
        QVERIFY(QFileInfo(strTarget).isDir());
        QCOMPARE(move.copiedFiles(), 0);
        QVERIFY(move.removeSource());
        QVERIFY(QFileInfo(dir.path() + QStringLiteral("/SubTools/Tool")).isDir());
    }
};

QTEST_MAIN(TestUpdateRules)
#include "tst_updaterules.moc"
