// A small AnkiConnect of a test's own on the loopback address: it answers
// each action with the result the test gave for it (an action without one
// gets AnkiConnect's error), one request a connection, and records the
// requests in turn.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tavlex::testing {

class FakeAnki {
 public:
  using Json = nlohmann::json;

  explicit FakeAnki(std::map<std::string, Json> results) : results_(std::move(results)) {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      QTcpSocket* socket = server_.nextPendingConnection();
      auto* buffer = new QByteArray;
      QObject::connect(socket, &QObject::destroyed, [buffer] { delete buffer; });
      QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      QObject::connect(socket, &QTcpSocket::readyRead, [this, socket, buffer] {
        *buffer += socket->readAll();
        const qsizetype headers = buffer->indexOf("\r\n\r\n");
        if (headers < 0) return;
        const qsizetype length = buffer->mid(buffer->indexOf("Content-Length: ") + 16).split('\r')[0].toInt();
        if (buffer->size() < headers + 4 + length) return;
        const Json request = Json::parse(buffer->mid(headers + 4).toStdString());
        requests_.push_back(request);
        const std::string action = request["action"];
        const Json answer = {{"result", results_.count(action) ? results_[action] : Json()},
                             {"error", results_.count(action) ? Json() : Json("unsupported action")}};
        const QByteArray body = QByteArray::fromStdString(answer.dump());
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
      });
    });
  }
  uint16_t port() const { return server_.serverPort(); }
  const std::vector<Json>& requests() const { return requests_; }

 private:
  QTcpServer server_;
  std::map<std::string, Json> results_;
  std::vector<Json> requests_;
};

}  // namespace tavlex::testing
