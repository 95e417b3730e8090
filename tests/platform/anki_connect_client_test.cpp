// The way to AnkiConnect against a small HTTP server of the test's own on
// the loopback address: the request as it arrives, the answer handed back,
// and what the user is told when nothing listens or the server misbehaves.
#include "platform/anki_connect_client.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <optional>

namespace tavlex::platform {
namespace {

// Answers each request with the response given, or not at all when it is empty.
class FakeAnki {
 public:
  explicit FakeAnki(QByteArray response) : response_(std::move(response)) {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      QTcpSocket* socket = server_.nextPendingConnection();
      QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
        request_ += socket->readAll();
        const qsizetype headers = request_.indexOf("\r\n\r\n");
        const qsizetype length =
            request_.mid(request_.indexOf("Content-Length: ") + 16).split('\r')[0].toInt();
        if (headers < 0 || request_.size() < headers + 4 + length || response_.isEmpty()) return;
        socket->write(response_);
        socket->disconnectFromHost();
      });
    });
  }
  uint16_t port() const { return server_.serverPort(); }
  const QByteArray& request() const { return request_; }

 private:
  QTcpServer server_;
  QByteArray response_;
  QByteArray request_;
};

QByteArray Http(const char* status, const QByteArray& body) {
  return QByteArray("HTTP/1.1 ") + status +
         "\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

AnkiConnectReply Post(uint16_t port, int timeoutMs = 5000) {
  AnkiConnectClient client(port, timeoutMs);
  std::optional<AnkiConnectReply> reply;
  client.Post(R"({"action":"deckNames","version":6})", [&](const AnkiConnectReply& r) { reply = r; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return reply.has_value(); }, 10'000));
  return reply.value_or(AnkiConnectReply{});
}

TEST(AnkiConnectClient, PostsTheRequestToTheLoopbackAndHandsBackTheAnswer) {
  const FakeAnki anki(Http("200 OK", R"({"result":["Default"],"error":null})"));
  const AnkiConnectReply reply = Post(anki.port());
  EXPECT_EQ(reply.outcome, AnkiConnectReply::kAnswered) << reply.error;
  EXPECT_EQ(reply.body, R"({"result":["Default"],"error":null})");
  EXPECT_TRUE(anki.request().startsWith("POST / HTTP/1.1\r\n")) << anki.request().toStdString();
  EXPECT_TRUE(anki.request().contains("Host: 127.0.0.1:" + QByteArray::number(anki.port())));
  EXPECT_TRUE(anki.request().contains("Content-Type: application/json"));
  EXPECT_TRUE(anki.request().endsWith(R"({"action":"deckNames","version":6})"));
}

TEST(AnkiConnectClient, SaysWhenAnkiIsNotRunningOrDoesNotAnswerProperly) {
  uint16_t closed = 0;
  {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    closed = server.serverPort();
  }
  const AnkiConnectReply refused = Post(closed);
  EXPECT_EQ(refused.outcome, AnkiConnectReply::kNotRunning);
  EXPECT_EQ(
      DescribeFailure(refused, 8765),
      "Anki is not running (nothing answers on 127.0.0.1:8765): start Anki with the AnkiConnect add-on");

  const FakeAnki failing(Http("403 Forbidden", "{}"));
  EXPECT_EQ(Post(failing.port()).outcome, AnkiConnectReply::kFailed);
  const FakeAnki redirecting(Http("302 Found\r\nLocation: http://127.0.0.2:9/", ""));
  EXPECT_EQ(Post(redirecting.port()).outcome, AnkiConnectReply::kFailed);
  const FakeAnki silent{QByteArray()};
  const AnkiConnectReply late = Post(silent.port(), 300);
  EXPECT_EQ(late.outcome, AnkiConnectReply::kFailed);
  EXPECT_EQ(late.error, "no answer in time");
}

}  // namespace
}  // namespace tavlex::platform
