#pragma once

#include <QDialog>

// "在线帮助": how to reach support.
class SupportDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SupportDialog(QWidget *parent = nullptr);
};
