// Completion interface of an HTTP request.
#pragma once

class c_HttpRequest;

class c_IOnHttpRequestComplete {
public:
    virtual ~c_IOnHttpRequestComplete() {}
    virtual void p_OnHttpRequestComplete(c_HttpRequest* request) = 0;
};
