// A window under test: the real TForm1 on fake platform services, its history file in a
// temporary folder, and short ways to reach its controls by their design names.
#pragma once

#include "FakePlatform.h"
#include "Unit1.h"
#include "ui_Unit1.h"

#include <QTemporaryDir>
#include <memory>

struct WindowFixture {
    FakePlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;

    void create(bool show = true)
    {
        form = std::make_unique<TForm1>(platform, dir.filePath(QStringLiteral("iphist.dat")));
        if (show)
            form->show();
    }
    void destroy() { form.reset(); }
    Ui::TForm1 &ui() const { return *form->ui(); }
    void programmingMode(bool on)
    {
        if (ui().CheckBox3->isChecked() != on)
            ui().CheckBox3->click();
    }
};
