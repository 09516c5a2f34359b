#include "app/windows/about_box.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QThread>

#include "documents/settings_stores.hpp"
#include "engine/coil_settings_store.hpp"

namespace qdx::app {

namespace {

// A finned coil with its tubes and the air passing through it.
constexpr const char* kCoilPicture = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 96 96">
 <defs><linearGradient id="air" x1="0" x2="1"><stop offset="0" stop-color="#e8f1fb"/>
 <stop offset="1" stop-color="#9cc3ea"/></linearGradient></defs>
 <rect x="4" y="4" width="88" height="88" rx="10" fill="url(#air)"/>
 <rect x="24" y="14" width="48" height="68" fill="#d7dde3" stroke="#5c6b7a" stroke-width="2"/>
 <g stroke="#8795a3" stroke-width="1">
  <line x1="30" y1="14" x2="30" y2="82"/><line x1="36" y1="14" x2="36" y2="82"/>
  <line x1="42" y1="14" x2="42" y2="82"/><line x1="48" y1="14" x2="48" y2="82"/>
  <line x1="54" y1="14" x2="54" y2="82"/><line x1="60" y1="14" x2="60" y2="82"/>
  <line x1="66" y1="14" x2="66" y2="82"/></g>
 <g fill="#c8773a" stroke="#7a3f17" stroke-width="1.5">
  <circle cx="36" cy="26" r="5"/><circle cx="60" cy="34" r="5"/><circle cx="36" cy="42" r="5"/>
  <circle cx="60" cy="50" r="5"/><circle cx="36" cy="58" r="5"/><circle cx="60" cy="66" r="5"/>
  <circle cx="36" cy="74" r="5"/></g>
 <g fill="none" stroke="#2f6db5" stroke-width="3" stroke-linecap="round">
  <path d="M8 30 h12 m-5 -4 l5 4 l-5 4"/><path d="M8 48 h12 m-5 -4 l5 4 l-5 4"/>
  <path d="M8 66 h12 m-5 -4 l5 4 l-5 4"/></g>
 <path d="M84 40 q-6 10 0 14 q6 -4 0 -14 z" fill="#2f6db5"/>
</svg>)svg";

QPixmap CoilPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QSvgRenderer svg{QByteArray(kCoilPicture)};
    QPainter p(&pm);
    svg.render(&p);
    return pm;
}

}  // namespace

TAboutBox::TAboutBox(const QString& productName, const QString& version,
                     const QString& description, bool splash, QWidget* parent)
    : QDialog(parent, splash ? Qt::SplashScreen | Qt::FramelessWindowHint : Qt::Dialog),
      check_(new QCheckBox("Show this form on program bootup")), status_(new QLabel("Loading...")) {
    setObjectName(splash ? "SplashForm" : "AboutBox");
    setWindowTitle("About " + productName);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);

    auto* picture = new QLabel;
    picture->setObjectName("ProgramIcon");
    picture->setPixmap(CoilPicture(96));
    picture->setAccessibleName("Program picture");
    grid->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);

    auto* product = new QLabel(productName);
    product->setObjectName("ProductName");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    product->setFont(big);
    grid->addWidget(product, 0, 1);
    auto* ver = new QLabel("Version " + version);
    ver->setObjectName("Version");
    grid->addWidget(ver, 1, 1);
    auto* comments = new QLabel(description);
    comments->setObjectName("Comments");
    comments->setWordWrap(true);
    grid->addWidget(comments, 2, 1, Qt::AlignTop);

    status_->setObjectName("StatusLine");
    check_->setObjectName("ShowOnBootup");
    grid->addWidget(status_, 3, 0, 1, 2);
    grid->addWidget(check_, 4, 0, 1, 2);
    status_->setVisible(splash);
    check_->setVisible(!splash);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->setObjectName("Buttons");
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKButton");
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    grid->addWidget(buttons, 5, 0, 1, 2);
    buttons->setVisible(!splash);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

TAboutBoxDlg::TAboutBoxDlg(QObject* parent) : QObject(parent) { setObjectName("AboutBoxDlg"); }

TAboutBoxDlg::~TAboutBoxDlg() = default;

QString TAboutBoxDlg::Product() const {
    return ProductName.isEmpty() ? QApplication::applicationName() : ProductName;
}

void TAboutBoxDlg::ShowSplash() {
    if (!ReadSplashScreen(*OpenProgramSettings())) return;
    splash_ = std::make_unique<TAboutBox>(Product(), Version, Description, true);
    splash_->show();
    QApplication::processEvents();
    splashEnd_ = QDateTime::currentMSecsSinceEpoch() + kDisplayInterval / 1000 * 1000;
}

void TAboutBoxDlg::EndSplash() {
    if (!splash_) return;
    while (QDateTime::currentMSecsSinceEpoch() < splashEnd_) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    splash_.reset();
}

void TAboutBoxDlg::Execute(QWidget* parent) {
    TAboutBox box(Product(), Version, Description, false, parent);
    box.ShowOnBootup().setChecked(ReadSplashScreen(*OpenProgramSettings()));
    box_ = &box;
    box.exec();
    box_ = nullptr;
    WriteSplashScreen(*OpenProgramSettings(), box.ShowOnBootup().isChecked());
}

}  // namespace qdx::app
