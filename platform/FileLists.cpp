#include "platform/FileLists.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QStyle>

namespace platform {

namespace {

// File systems that hold no user's files.
const QStringList PseudoFileSystems = {
    QStringLiteral("proc"),    QStringLiteral("sysfs"),     QStringLiteral("devpts"),    QStringLiteral("devtmpfs"),
    QStringLiteral("cgroup"),  QStringLiteral("cgroup2"),   QStringLiteral("securityfs"), QStringLiteral("debugfs"),
    QStringLiteral("tracefs"), QStringLiteral("pstore"),    QStringLiteral("bpf"),       QStringLiteral("autofs"),
    QStringLiteral("mqueue"),  QStringLiteral("hugetlbfs"), QStringLiteral("fusectl"),   QStringLiteral("configfs"),
    QStringLiteral("binfmt_misc"), QStringLiteral("efivarfs"), QStringLiteral("squashfs"), QStringLiteral("nsfs"),
};

// Octal escapes of the mount table ("\040" for a blank).
QString unescapeMountPath(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QFile::decodeName(out);
}

// A medium's own folder: /media/<name>, /media/<user>/<name>, /run/media/<user>/<name>,
// /mnt or /mnt/<name>.
bool isMediumFolder(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return false;
    if (parts[0] == QLatin1String("media")) return parts.size() == 2 || parts.size() == 3;
    if (parts[0] == QLatin1String("mnt")) return parts.size() <= 2;
    if (parts[0] == QLatin1String("run") && parts.size() == 4 && parts[1] == QLatin1String("media")) return true;
    return false;
}

bool isUnder(const QString& path, const QString& folder) {
    if (folder == QLatin1String("/")) return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

std::function<std::vector<Volume>()>& volumeSource() {
    static std::function<std::vector<Volume>()> source;
    return source;
}

}  // namespace

std::vector<Volume> volumesFromMountTable(const QByteArray& mountTable, const QString& home) {
    std::vector<Volume> volumes;
    const QString homePath = QDir::cleanPath(home);
    volumes.push_back({homePath, QStringLiteral("Home Folder (%1)").arg(homePath)});
    for (const QByteArray& line : mountTable.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3) continue;
        if (PseudoFileSystems.contains(QString::fromLatin1(fields[2]))) continue;
        const QString path = QDir::cleanPath(unescapeMountPath(fields[1]));
        if (!isMediumFolder(path)) continue;
        bool known = false;
        for (const Volume& v : volumes) known = known || v.path == path;
        if (known) continue;
        const QString name = QFileInfo(path).fileName();
        volumes.push_back({path, QStringLiteral("%1 (%2)").arg(name, path)});
    }
    if (homePath != QLatin1String("/")) volumes.push_back({QStringLiteral("/"), QStringLiteral("File System (/)")});
    return volumes;
}

std::vector<Volume> mountedVolumes() {
    QFile table(QStringLiteral("/proc/self/mounts"));
    QByteArray text;
    if (table.open(QIODevice::ReadOnly)) text = table.readAll();
    return volumesFromMountTable(text, QDir::homePath());
}

// ---- DriveListBox ----------------------------------------------------------------------------

namespace {

// A combo box that tells its control before the list opens, so the volumes are read again.
class DriveCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override {
        if (beforePopup) beforePopup();
        QComboBox::showPopup();
    }
};

}  // namespace

void DriveListBox::setVolumeSource(std::function<std::vector<Volume>()> source) {
    volumeSource() = std::move(source);
}

DriveListBox::DriveListBox(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    foreColor_ = SysWindowText;
    backColor_ = SysWindowBackground;
    auto* c = new DriveCombo(parent.containerWidget());
    c->setEditable(false);
    c->beforePopup = [this] { refresh(); };
    setWidget(c);
    QObject::connect(c, &QComboBox::activated, c, [this](int i) {
        if (!syncing_) pick(i);
    });
    refresh();
    // The volume of the current folder, chosen before any handler is attached.
    setDrive(QDir::currentPath());
}

int DriveListBox::listIndex() const {
    for (size_t i = 0; i < volumes_.size(); ++i)
        if (volumes_[i].path == drive_) return int(i);
    return -1;
}

void DriveListBox::syncWidget() {
    auto* c = qobject_cast<QComboBox*>(widget_.data());
    if (!c) return;
    syncing_ = true;
    c->clear();
    for (const Volume& v : volumes_) c->addItem(v.label);
    c->setCurrentIndex(listIndex());
    syncing_ = false;
}

void DriveListBox::refresh() {
    volumes_ = volumeSource() ? volumeSource()() : mountedVolumes();
    // The chosen volume stays in the list while it is chosen, even when it has gone.
    if (!drive_.isEmpty() && listIndex() < 0) volumes_.push_back({drive_, drive_});
    syncWidget();
}

void DriveListBox::setDrive(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    QString best;
    for (const Volume& v : volumes_)
        if (isUnder(clean, v.path) && v.path.size() > best.size()) best = v.path;
    if (best.isEmpty()) best = QStringLiteral("/");
    const bool changed = best != drive_;
    drive_ = best;
    if (listIndex() < 0) volumes_.push_back({drive_, drive_});
    syncWidget();
    if (changed) raiseChange();
}

void DriveListBox::pick(int i) {
    if (i < 0 || i >= listCount()) return;
    const QString chosen = volumes_[size_t(i)].path;
    const bool changed = chosen != drive_;
    drive_ = chosen;
    syncWidget();
    if (changed) raiseChange();
}

// ---- DirListBox ------------------------------------------------------------------------------

DirListBox::DirListBox(Form& form, Container& parent, const QString& name, int index)
    : Control(form, parent, name, index) {
    foreColor_ = SysWindowText;
    backColor_ = SysWindowBackground;
    auto* l = new QListWidget(parent.containerWidget());
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    setWidget(l);
    QObject::connect(l, &QListWidget::itemActivated, l, [this, l](QListWidgetItem* item) { open(l->row(item)); });
    QObject::connect(l, &QListWidget::currentRowChanged, l, [this](int row) { listIndex_ = row; });
    setPath(QDir::currentPath());
}

bool DirListBox::setPath(const QString& folder) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isReadable() || !QDir(folder).isReadable()) return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    const bool changed = clean != path_;
    path_ = clean;
    fill();
    if (changed) raiseChange();
    return true;
}

void DirListBox::refresh() { fill(); }

void DirListBox::fill() {
    entries_.clear();
    const QStringList parts = path_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString at = QStringLiteral("/");
    entries_ << at;
    for (const QString& part : parts) {
        at = at == QLatin1String("/") ? at + part : at + QLatin1Char('/') + part;
        entries_ << at;
    }
    ancestors_ = int(entries_.size());
    QStringList inside = QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : inside)
        entries_ << (path_ == QLatin1String("/") ? path_ + name : path_ + QLatin1Char('/') + name);
    listIndex_ = ancestors_ - 1;
    auto* l = qobject_cast<QListWidget*>(widget_.data());
    if (!l) return;
    QSignalBlocker block(l);
    l->clear();
    const QIcon open = l->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = l->style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (int i = 0; i < entries_.size(); ++i) {
        const int depth = i < ancestors_ ? i : ancestors_;
        const QString name = i == 0 ? QStringLiteral("/") : QFileInfo(entries_[i]).fileName();
        auto* item = new QListWidgetItem(i < ancestors_ ? open : closed, QString(depth * 2, QLatin1Char(' ')) + name);
        item->setToolTip(entries_[i]);
        l->addItem(item);
    }
    l->setCurrentRow(listIndex_);
    l->scrollToItem(l->item(listIndex_));
}

void DirListBox::setListIndex(int i) {
    if (i < 0 || i >= listCount()) return;
    listIndex_ = i;
    if (auto* l = qobject_cast<QListWidget*>(widget_.data())) {
        QSignalBlocker block(l);
        l->setCurrentRow(i);
    }
}

void DirListBox::open(int i) {
    if (i < 0 || i >= listCount()) return;
    setPath(entries_[i]);
}

}  // namespace platform
