#include "scheme/url_scheme_handler.h"

#include <QBuffer>
#include <QMap>
#include <QMetaObject>
#include <QPointer>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <memory>
#include <utility>

#include "scheme/request_impl.h"
#include "scheme/resource_request_driver.h"
#include "scheme/scheme_registry.h"

namespace cef_qt {

namespace {

QWebEngineUrlRequestJob::Error ToJobError(cef_errorcode_t error) {
  switch (error) {
    case ERR_ABORTED:
      return QWebEngineUrlRequestJob::RequestAborted;
    case ERR_ACCESS_DENIED:
      return QWebEngineUrlRequestJob::RequestDenied;
    case ERR_FILE_NOT_FOUND:
      return QWebEngineUrlRequestJob::UrlNotFound;
    case ERR_INVALID_URL:
      return QWebEngineUrlRequestJob::UrlInvalid;
    default:
      return QWebEngineUrlRequestJob::RequestFailed;
  }
}

// Answers the job with what the driver reports. Qt 6.4 replies always carry
// status 200; the handler's status and headers other than the MIME type have
// no way into the reply.
class JobReply : public ResourceRequestDriver::Client {
 public:
  explicit JobReply(QWebEngineUrlRequestJob* job) : job_(job) {}

  void OnResponse(int status,
                  const std::string& mime_type,
                  std::string body) override {
    if (!job_)
      return;
    auto* device = new QBuffer(job_);  // Deleted with the job.
    device->setData(body.data(), static_cast<qsizetype>(body.size()));
    device->open(QIODevice::ReadOnly);
    job_->reply(QByteArray::fromStdString(mime_type), device);
  }

  void OnRedirect(const std::string& url) override {
    if (job_)
      job_->redirect(QUrl(QString::fromStdString(url)));
  }

  void OnFailure(cef_errorcode_t error) override {
    if (job_)
      job_->fail(ToJobError(error));
  }

 private:
  QPointer<QWebEngineUrlRequestJob> job_;
};

CefRefPtr<RequestImpl> ToCefRequest(const QWebEngineUrlRequestJob& job) {
  CefRefPtr<RequestImpl> request = new RequestImpl();
  request->SetURL(job.requestUrl().toString(QUrl::FullyEncoded).toStdString());
  request->SetReadOnly(true);
  return request;
}

}  // namespace

UrlSchemeHandler::UrlSchemeHandler(QWebEngineProfile* profile)
    : QWebEngineUrlSchemeHandler(profile), profile_(profile) {}

void UrlSchemeHandler::InstallFor(const std::string& scheme) {
  const QByteArray name = QByteArray::fromStdString(scheme);
  if (!profile_->urlSchemeHandler(name))
    profile_->installUrlSchemeHandler(name, this);
}

void UrlSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  const QUrl url = job->requestUrl();
  const std::string scheme = url.scheme().toStdString();
  CefRefPtr<CefSchemeHandlerFactory> factory =
      SchemeRegistry::Get().Find(scheme, url.host().toStdString());
  CefRefPtr<RequestImpl> request = ToCefRequest(*job);
  // A job does not tell which page asked, so browser and frame are null.
  CefRefPtr<CefResourceHandler> handler =
      factory ? factory->Create(nullptr, nullptr, scheme, request) : nullptr;
  if (!handler) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }

  ResourceRequestDriver::Executor executor =
      [target = QPointer<UrlSchemeHandler>(this)](std::function<void()> task) {
        if (UrlSchemeHandler* context = target.data())
          QMetaObject::invokeMethod(context, std::move(task),
                                    Qt::QueuedConnection);
      };
  auto driver = std::make_shared<ResourceRequestDriver>(
      handler, request, std::make_unique<JobReply>(job), std::move(executor));
  connect(job, &QObject::destroyed, this,
          [weak = std::weak_ptr<ResourceRequestDriver>(driver)] {
            if (std::shared_ptr<ResourceRequestDriver> driver = weak.lock())
              driver->Cancel();
          });
  driver->Start();
}

}  // namespace cef_qt
