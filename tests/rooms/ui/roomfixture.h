#pragma once

#include "common/windowfixture.h"
#include "data/query.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <functional>

// The window fixture with rooms, for the room windows.
struct RoomFixture : WindowFixture
{
    using WindowFixture::WindowFixture;

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
