#include "about_dialog.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app_identity.h"
#include "base/app_paths.h"

namespace corpgather {
namespace {

constexpr QSize kClientSize(320, 213);
constexpr int kPictureHeight = 49;

QFont pixelFont(int pixels, bool bold) {
    QFont font = AppFont();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* label(const char* name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text);
    if (name)
        label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    return label;
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      picture_(new QLabel) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于我们"));
    setFont(AppFont());
    setFixedSize(kClientSize);

    picture_->setObjectName(QStringLiteral("imgLoginImage"));
    picture_->setFixedHeight(kPictureHeight);
    picture_->setScaledContents(true);
    // A missing or unreadable picture leaves the place empty, without a word.
    const QPixmap pixmap(QString::fromStdString(GetAppPath() + "login.jpg"));
    if (!pixmap.isNull())
        picture_->setPixmap(pixmap);

    auto* name = new QHBoxLayout;
    name->addWidget(label("lblName", QStringLiteral("拓铭企业名录搜索软件"), pixelFont(19, true)));
    name->addWidget(label("lblVersionNumber", VersionText(), pixelFont(14, false)), 0,
                    Qt::AlignBottom);
    name->addStretch();

    auto* date = new QHBoxLayout;
    date->addWidget(label(nullptr, QStringLiteral("更新日期："), AppFont()));
    date->addWidget(label("lblVersionDate", VersionDate(), AppFont()));
    date->addStretch();

    auto* ok = new QPushButton(QStringLiteral("确定"));
    ok->setObjectName(QStringLiteral("bbOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        confirmed_ = true;
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* text = new QVBoxLayout;
    text->setContentsMargins(16, 12, 12, 10);
    text->addLayout(name);
    text->addSpacing(8);
    text->addLayout(date);
    text->addStretch();
    text->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(picture_);
    layout->addLayout(text);
}

bool OpenAboutDialog(QWidget* parent) {
    TfrmAbout dialog(parent);
    dialog.exec();
    return dialog.confirmed();
}

}  // namespace corpgather
