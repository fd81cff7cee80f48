#include "gui/reader/ModuleReaderLink.h"

#include "gui/reader/ReaderSettingsFile.h"
#include "qtbase/ProgramModule.h"

#include <QSettings>

namespace welkor::gui {

ModuleReaderLink::ModuleReaderLink(const QString& moduleFile, const QString& settingsFile,
                                   const QString& environmentPort)
    : moduleFile_(moduleFile),
      settingsFile_(settingsFile),
      environmentPort_(environmentPort.trimmed()),
      settings_(ReadReaderPortSettings(settingsFile, environmentPort))
{
}

ModuleReaderLink::~ModuleReaderLink() = default;

ReaderLink& ModuleReaderLink::Link() const
{
    if (!link_) {
        const auto entry = reinterpret_cast<SerialLinkEntry>(ProgramModuleEntry(
            moduleFile_, kSerialLinkEntry, QStringLiteral("obsługi portów szeregowych"),
            QStringLiteral("Czytnik jest niedostępny; pozostałe polecenia działają.")));
        link_.reset(entry(settingsFile_, environmentPort_));
    }
    return *link_;
}

bool ModuleReaderLink::configured() const { return link_ ? link_->configured() : !settings_.portName.isEmpty(); }

ReaderPortSettings ModuleReaderLink::portSettings() const { return link_ ? link_->portSettings() : settings_; }

ReaderAnswer ModuleReaderLink::exchange(const std::string& command, QWidget* owner)
{
    return Link().exchange(command, owner);
}

QStringList ModuleReaderLink::portNames() const { return Link().portNames(); }

QString ModuleReaderLink::portName() const { return Link().portName(); }

void ModuleReaderLink::choosePort(const QString& name) { Link().choosePort(name); }

QList<ReaderPortInfo> ModuleReaderLink::ports() const { return Link().ports(); }

QString ModuleReaderLink::storeSettings(const ReaderPortSettings& settings) { return Link().storeSettings(settings); }

ReaderAnswer ModuleReaderLink::probe(const ReaderPortSettings& settings, const std::string& command, QWidget* owner)
{
    return Link().probe(settings, command, owner);
}

std::unique_ptr<ReaderLink> ProgramReaderLink(const QString& moduleFile)
{
    const QString file = QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Welkor"),
                                   QStringLiteral("Welkor Lumo 1"))
                             .fileName();
    return std::make_unique<ModuleReaderLink>(moduleFile, file, qEnvironmentVariable("WELKOR_CZYTNIK"));
}

} // namespace welkor::gui
