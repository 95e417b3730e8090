#include "platform/anki_connect_client.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <memory>

namespace tavlex::platform {
namespace {

constexpr char kLoopback[] = "127.0.0.1";
constexpr int kHttpOk = 200;
// More than any answer to our requests; a server that sends more is cut off.
constexpr qint64 kLongestAnswer = qint64{16} << 20;

AnkiConnectReply ReplyOf(QNetworkReply& reply, bool tooLong) {
  if (tooLong) return {AnkiConnectReply::kFailed, "", "an answer too long to be AnkiConnect's"};
  const QNetworkReply::NetworkError error = reply.error();
  if (error == QNetworkReply::ConnectionRefusedError) return {AnkiConnectReply::kNotRunning, "", ""};
  const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (error != QNetworkReply::NoError || status != kHttpOk) {
    std::string why = reply.errorString().toStdString();
    if (error == QNetworkReply::OperationCanceledError) why = "no answer in time";
    if (error == QNetworkReply::NoError) why = "HTTP status " + std::to_string(status);
    return {AnkiConnectReply::kFailed, "", why};
  }
  return {AnkiConnectReply::kAnswered, reply.readAll().toStdString(), ""};
}

}  // namespace

AnkiConnectClient::AnkiConnectClient(uint16_t port, int timeoutMs, QObject* parent)
    : QObject(parent), port_(port), timeoutMs_(timeoutMs) {
  network_.setProxy(QNetworkProxy::NoProxy);
}

void AnkiConnectClient::Post(const std::string& body, std::function<void(const AnkiConnectReply&)> done) {
  QUrl url;
  url.setScheme("http");
  url.setHost(kLoopback);
  url.setPort(port_);
  url.setPath("/");
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
  request.setTransferTimeout(timeoutMs_);
  QNetworkReply* reply = network_.post(request, QByteArray::fromStdString(body));
  auto tooLong = std::make_shared<bool>(false);
  connect(reply, &QNetworkReply::downloadProgress, reply, [reply, tooLong](qint64 received, qint64) {
    if (received <= kLongestAnswer || *tooLong) return;
    *tooLong = true;
    reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [reply, tooLong, done = std::move(done)] {
    reply->deleteLater();
    done(ReplyOf(*reply, *tooLong));
  });
}

std::string DescribeFailure(const AnkiConnectReply& reply, uint16_t port) {
  const std::string address = std::string(kLoopback) + ":" + std::to_string(port);
  switch (reply.outcome) {
    case AnkiConnectReply::kAnswered:
      return "";
    case AnkiConnectReply::kNotRunning:
      return "Anki is not running (nothing answers on " + address +
             "): start Anki with the AnkiConnect add-on";
    case AnkiConnectReply::kFailed:
      break;
  }
  return "no answer from AnkiConnect on " + address + ": " + reply.error;
}

}  // namespace tavlex::platform
