// The names the viewer uses on the session bus, in one table: its own
// service, object, interface and action, and those of the desktop portal it
// asks for a global key.
#pragma once

namespace tavlex::bus {

// The viewer's own service. The desktop entry's id is the bus name.
inline constexpr char kApplicationId[] = "org.tavlex.Tavlex";
inline constexpr char kObjectPath[] = "/org/tavlex/Tavlex";
inline constexpr char kApplicationInterface[] =
    "org.freedesktop.Application";  // Q_CLASSINFO repeats it for moc
inline constexpr char kActivate[] = "Activate";
inline constexpr char kActivateAction[] = "ActivateAction";
inline constexpr char kLookUpAction[] = "look-up";
inline constexpr char kOtherDisplayError[] = "org.tavlex.Tavlex.Error.OtherDisplay";

// What the bus answers when nobody owns the name.
inline constexpr char kServiceUnknownError[] = "org.freedesktop.DBus.Error.ServiceUnknown";
inline constexpr char kNameHasNoOwnerError[] = "org.freedesktop.DBus.Error.NameHasNoOwner";
inline constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";

// The desktop portal's global shortcuts.
inline constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kShortcutsInterface[] = "org.freedesktop.portal.GlobalShortcuts";
inline constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";
inline constexpr char kCreateSession[] = "CreateSession";
inline constexpr char kBindShortcuts[] = "BindShortcuts";
inline constexpr char kResponseSignal[] = "Response";
inline constexpr char kActivatedSignal[] = "Activated";
// The shortcut's id and the key suggested to the desktop.
inline constexpr char kShortcutId[] = "popup-selection";
inline constexpr char kSuggestedKey[] = "CTRL+ALT+W";

}  // namespace tavlex::bus
