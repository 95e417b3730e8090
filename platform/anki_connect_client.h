// The way to Anki's AnkiConnect add-on: an HTTP POST of a JSON request to
// 127.0.0.1 and its answer. The address is fixed, no proxy is asked and no
// redirect followed, so nothing a user kept is sent anywhere else.
//
// AnkiConnectTransport is the seam: the word book's dialog posts through it,
// and its tests put a fake in its place.
#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

namespace tavlex::platform {

struct AnkiConnectReply {
  enum Outcome {
    kAnswered,    // body holds AnkiConnect's answer
    kNotRunning,  // nothing listens on the port: Anki is not running, or has no AnkiConnect
    kFailed,      // error says why (no answer in time, an HTTP error, ...)
  };
  Outcome outcome = kFailed;
  std::string body;
  std::string error;
};

class AnkiConnectTransport {
 public:
  virtual ~AnkiConnectTransport() = default;
  // Sends body; done is called once, later, from the event loop.
  virtual void Post(const std::string& body, std::function<void(const AnkiConnectReply&)> done) = 0;
};

// The real transport, through Qt Network.
class AnkiConnectClient : public QObject, public AnkiConnectTransport {
  Q_OBJECT

 public:
  static constexpr int kDefaultTimeoutMs = 30'000;

  explicit AnkiConnectClient(uint16_t port, int timeoutMs = kDefaultTimeoutMs, QObject* parent = nullptr);

  void Post(const std::string& body, std::function<void(const AnkiConnectReply&)> done) override;

 private:
  QNetworkAccessManager network_;
  uint16_t port_;
  int timeoutMs_;
};

// "Anki is not running (nothing answers on 127.0.0.1:8765): start Anki with
// the AnkiConnect add-on", for a reply that is not an answer.
std::string DescribeFailure(const AnkiConnectReply& reply, uint16_t port);

}  // namespace tavlex::platform
