#pragma once

#include "app/dbhouse.h"
#include "common/scriptedprompt.h"
#include "common/testdb.h"
#include "data/query.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <functional>

// The data module on a scratch server database of either engine, with a scripted prompt, for the room windows.
struct RoomFixture
{
    explicit RoomFixture(Engine engine = Engine::Sqlite) : scratch(engine)
    {
        QVERIFY(scratch.isValid());
        QVERIFY(scratch.open(Tdbhouse::MainConnection).isOpen());
    }
    QSqlDatabase db() const { return data.adoacccon(); }
    int count(const QString &sql, const QVariantMap &params = {}) const { return scalar(db(), sql, params).toInt(); }
    QString text(const QString &sql, const QVariantMap &params = {}) const
    {
        return scalar(db(), sql, params).toString();
    }
    // A room as the register would create it.
    void addRoom(const QString &number, const QString &name, const QString &fjzt = QStringLiteral("空闲"),
                 const QString &fjydzt = QStringLiteral("空闲"))
    {
        QString error;
        QVERIFY2(execute(db(),
                         "insert into zf_fjb(fjbh,fjmc,fjlx,fjmj,fjzxqk,fjsb,fjyt,bjts,rzjg,yzjg,dbds,sbds,czlx,fjzt,"
                         "bzsm,yfsl,sffj,zqts,fjydzt) values(:n,:m,'单间',20,'简装','空调','住宅',5,60,1200,0,0,'是',"
                         ":z,'',0,'是',0,:y)",
                         {{"n", number}, {"m", name}, {"z", fjzt}, {"y", fjydzt}}, &error),
                 qPrintable(error));
    }

    testdb::ScratchDatabase scratch;
    Tdbhouse data;
    ScriptedPrompt prompt;
};

// Acts on the next modal dialog of the given class once its event loop runs; a dialog of another class is
// closed so that the test cannot hang. The dialog is closed afterwards if the action left it open.
template <typename Dialog> void onNextDialog(std::function<void(Dialog *)> act, bool *seen = nullptr)
{
    QTimer::singleShot(0, [act, seen] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<Dialog *>(modal);
        if (seen)
            *seen = dialog != nullptr;
        if (dialog) {
            act(dialog);
            if (dialog->isVisible())
                dialog->reject();
        } else if (modal) {
            modal->close();
        }
    });
}
