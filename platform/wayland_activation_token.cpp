#include "platform/wayland_activation_token.h"

#include "platform/wayland_connection.h"
#include "xdg-activation-v1-client-protocol.h"

namespace tavlex::platform {

std::optional<std::string> RequestActivationToken(const std::string& appId,
                                                  std::chrono::milliseconds patience) {
  const WaylandConnection::Clock::time_point deadline = WaylandConnection::Clock::now() + patience;
  const std::unique_ptr<WaylandConnection> connection = WaylandConnection::Open(patience);
  if (!connection) return std::nullopt;
  auto* activation = static_cast<xdg_activation_v1*>(connection->Bind(&xdg_activation_v1_interface, 1));
  if (!activation) return std::nullopt;
  // Without a surface or an input serial: the compositor decides whether a
  // program that shows no window may pass the focus on.
  xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(activation);
  std::optional<std::string> issued;
  static const xdg_activation_token_v1_listener kListener{
      [](void* data, xdg_activation_token_v1*, const char* name) {
        *static_cast<std::optional<std::string>*>(data) = name ? name : "";
      }};
  xdg_activation_token_v1_add_listener(token, &kListener, &issued);
  xdg_activation_token_v1_set_app_id(token, appId.c_str());
  xdg_activation_token_v1_commit(token);
  connection->DispatchUntil([&] { return issued.has_value(); }, deadline);
  xdg_activation_token_v1_destroy(token);
  xdg_activation_v1_destroy(activation);
  if (!issued || issued->empty()) return std::nullopt;
  return issued;
}

}  // namespace tavlex::platform
