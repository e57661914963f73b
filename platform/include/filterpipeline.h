// The XPS print filter pipeline: the filter interface, what the pipeline hands a filter,
// and the XPS part objects and streams. Methods are in the platform's order.
#pragma once

#include "objidl.h"
#include "oleauto.h"

struct IImgErrorInfo;  // error details; the filters always pass null

enum EXpsCompressionOptions : DWORD {
  Compression_NotCompressed = 0,
  Compression_Normal = 1,
  Compression_Small = 2,
  Compression_Fast = 3,
};

enum EXpsFontOptions : DWORD {
  Font_Normal = 0,
  Font_Obfusticate = 1,
};

enum EXpsJobConsumption : DWORD {
  XpsJob_DocumentSequenceAdded = 0,
  XpsJob_FixedDocumentAdded = 1,
  XpsJob_FixedPageAdded = 2,
};

struct IPrintReadStream : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Seek(LONGLONG dlibMove, DWORD dwOrigin,
                                         ULONGLONG* plibNewPosition) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReadBytes(void* pvBuffer, ULONG cbRequested, ULONG* pcbRead,
                                              BOOL* pbEndOfFile) = 0;

 protected:
  ~IPrintReadStream() = default;
};
KX_DEFINE_IID(IPrintReadStream, IUnknown, "4D47A67C-66CC-4430-850E-DAF466FE5BC4");

struct IPrintWriteStream : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE WriteBytes(const void* pvBuffer, ULONG cbBuffer,
                                               ULONG* pcbWritten) = 0;
  virtual void STDMETHODCALLTYPE Close() = 0;

 protected:
  ~IPrintWriteStream() = default;
};
KX_DEFINE_IID(IPrintWriteStream, IUnknown, "65BB7F1B-371E-4571-8AC7-912F510C1A38");

struct IPrintWriteStreamFlush : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE FlushData() = 0;

 protected:
  ~IPrintWriteStreamFlush() = default;
};
KX_DEFINE_IID(IPrintWriteStreamFlush, IUnknown, "07D11FF8-1753-4873-B749-6CDAF068E4C3");

struct IPrintReadStreamFactory : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetStream(IPrintReadStream** ppStream) = 0;

 protected:
  ~IPrintReadStreamFactory() = default;
};
KX_DEFINE_IID(IPrintReadStreamFactory, IUnknown, "ACB971E3-DF8D-4FC2-BEE6-0609D15F3CF9");

struct IPartBase : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetUri(BSTR* uri) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetStream(IPrintReadStream** ppStream) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPartCompression(EXpsCompressionOptions* pCompression) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPartCompression(EXpsCompressionOptions compression) = 0;

 protected:
  ~IPartBase() = default;
};
KX_DEFINE_IID(IPartBase, IUnknown, "36D51E28-369E-43BA-A666-9540C62C3F58");

struct IPartThumbnail : IPartBase {
  virtual HRESULT STDMETHODCALLTYPE GetThumbnailProperties(BSTR* pContentType) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetThumbnailContent(BSTR contentType) = 0;

 protected:
  ~IPartThumbnail() = default;
};
KX_DEFINE_IID(IPartThumbnail, IPartBase, "027ED1C9-BA39-4CC5-AA55-7EC3A0DE171A");

struct IPartFont : IPartBase {
  virtual HRESULT STDMETHODCALLTYPE GetFontProperties(BSTR* pContentType,
                                                      EXpsFontOptions* pFontOptions) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetFontContent(BSTR pContentType) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetFontOptions(EXpsFontOptions options) = 0;

 protected:
  ~IPartFont() = default;
};
KX_DEFINE_IID(IPartFont, IPartBase, "E07FE0AB-1124-43D0-A865-E8FFB6A3EA82");

struct IPartImage : IPartBase {
  virtual HRESULT STDMETHODCALLTYPE GetImageProperties(BSTR* pContentType) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetImageContent(BSTR pContentType) = 0;

 protected:
  ~IPartImage() = default;
};
KX_DEFINE_IID(IPartImage, IPartBase, "725F2E3C-401A-4705-9DE0-FE6F1353B87F");

struct IPartColorProfile : IPartBase {
 protected:
  ~IPartColorProfile() = default;
};
KX_DEFINE_IID(IPartColorProfile, IPartBase, "63CCA95B-7D18-4762-B15E-98658693D24A");

struct IPartResourceDictionary : IPartBase {
 protected:
  ~IPartResourceDictionary() = default;
};
KX_DEFINE_IID(IPartResourceDictionary, IPartBase, "16CFCE6D-E744-4FB3-B474-F1D54F024A01");

struct IPartPrintTicket : IPartBase {
 protected:
  ~IPartPrintTicket() = default;
};
KX_DEFINE_IID(IPartPrintTicket, IPartBase, "4A0F50F6-F9A2-41F0-99E7-5AE955BE8E9E");

struct IXpsPartIterator : IUnknown {
  virtual void STDMETHODCALLTYPE Reset() = 0;
  virtual HRESULT STDMETHODCALLTYPE Current(BSTR* pUri, IUnknown** ppXpsPart) = 0;
  virtual BOOL STDMETHODCALLTYPE IsDone() = 0;
  virtual void STDMETHODCALLTYPE Next() = 0;

 protected:
  ~IXpsPartIterator() = default;
};
KX_DEFINE_IID(IXpsPartIterator, IUnknown, "0021D3CD-AF6F-42AB-9999-14BC82A62D2E");

struct IFixedPage : IPartBase {
  virtual HRESULT STDMETHODCALLTYPE GetPrintTicket(IPartPrintTicket** ppPrintTicket) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPagePart(const WCHAR* uri, IUnknown** ppUnk) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetWriteStream(IPrintWriteStream** ppWriteStream) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPrintTicket(IPartPrintTicket* ppPrintTicket) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPagePart(IUnknown* pUnk) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeleteResource(const WCHAR* uri) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetXpsPartIterator(IXpsPartIterator** pXpsPartIt) = 0;

 protected:
  ~IFixedPage() = default;
};
KX_DEFINE_IID(IFixedPage, IPartBase, "3D9F6448-7E95-4CB5-94FB-0180C2883A57");

struct IFixedDocument : IPartBase {
  virtual HRESULT STDMETHODCALLTYPE GetPrintTicket(IPartPrintTicket** ppPrintTicket) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPrintTicket(IPartPrintTicket* pPrintTicket) = 0;

 protected:
  ~IFixedDocument() = default;
};
KX_DEFINE_IID(IFixedDocument, IPartBase, "F222CA9F-9968-4DB9-81BD-ABAEBF15F93F");

struct IFixedDocumentSequence : IPartBase {
  virtual HRESULT STDMETHODCALLTYPE GetPrintTicket(IPartPrintTicket** ppPrintTicket) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPrintTicket(IPartPrintTicket* pPrintTicket) = 0;

 protected:
  ~IFixedDocumentSequence() = default;
};
KX_DEFINE_IID(IFixedDocumentSequence, IPartBase, "8028D181-2C32-4249-8493-1BFB22045574");

struct IXpsDocument : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetThumbnail(IPartThumbnail** ppThumbnail) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetThumbnail(IPartThumbnail* pThumbnail) = 0;

 protected:
  ~IXpsDocument() = default;
};
KX_DEFINE_IID(IXpsDocument, IUnknown, "E8D907DB-62A9-4A95-ABE7-E01763DD30F8");

struct IXpsDocumentProvider : IUnknown {
  // Hands out the next part; a null part is the end of the stream.
  virtual HRESULT STDMETHODCALLTYPE GetXpsPart(IUnknown** ppIUnknown) = 0;

 protected:
  ~IXpsDocumentProvider() = default;
};
KX_DEFINE_IID(IXpsDocumentProvider, IUnknown, "B8CF8530-5562-47C4-AB67-B1F69ECF961E");

struct IXpsDocumentConsumer : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SendXpsUnknown(IUnknown* pUnknown) = 0;
  virtual HRESULT STDMETHODCALLTYPE SendXpsDocument(IXpsDocument* pIXpsDocument) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  SendFixedDocumentSequence(IFixedDocumentSequence* pIFixedDocumentSequence) = 0;
  virtual HRESULT STDMETHODCALLTYPE SendFixedDocument(IFixedDocument* pIFixedDocument) = 0;
  virtual HRESULT STDMETHODCALLTYPE SendFixedPage(IFixedPage* pIFixedPage) = 0;
  virtual HRESULT STDMETHODCALLTYPE CloseSender() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNewEmptyPart(const WCHAR* uri, REFIID riid,
                                                    void** ppNewObject,
                                                    IPrintWriteStream** ppWriteStream) = 0;

 protected:
  ~IXpsDocumentConsumer() = default;
};
KX_DEFINE_IID(IXpsDocumentConsumer, IUnknown, "4368D8A2-4181-4A9F-B295-3D9A38BB9BA0");

struct IInterFilterCommunicator : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE RequestReader(void** ppIReader) = 0;
  virtual HRESULT STDMETHODCALLTYPE RequestWriter(void** ppIWriter) = 0;

 protected:
  ~IInterFilterCommunicator() = default;
};
KX_DEFINE_IID(IInterFilterCommunicator, IUnknown, "4DAF1E69-81FD-462D-940F-8CD3DDF56FCA");

struct IPrintPipelineManagerControl : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE RequestShutdown(HRESULT hrReason, IImgErrorInfo* pReason) = 0;
  virtual HRESULT STDMETHODCALLTYPE FilterFinished() = 0;

 protected:
  ~IPrintPipelineManagerControl() = default;
};
KX_DEFINE_IID(IPrintPipelineManagerControl, IUnknown, "AA3E4910-5889-4681-91EF-823AD4ED4E44");

struct IPrintPipelinePropertyBag : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AddProperty(const WCHAR* pszName, const VARIANT* pVar) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetProperty(const WCHAR* pszName, VARIANT* pVar) = 0;
  virtual BOOL STDMETHODCALLTYPE DeleteProperty(const WCHAR* pszName) = 0;

 protected:
  ~IPrintPipelinePropertyBag() = default;
};
KX_DEFINE_IID(IPrintPipelinePropertyBag, IUnknown, "8B8C99DC-7892-4A95-8A04-57422E9FBB47");

struct IPrintPipelineProgressReport : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE ReportProgress(EXpsJobConsumption update) = 0;

 protected:
  ~IPrintPipelineProgressReport() = default;
};
KX_DEFINE_IID(IPrintPipelineProgressReport, IUnknown, "EDC12C7C-ED40-4EA5-96A6-5E4397497A61");

struct IPrintClassObjectFactory : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetPrintClassObject(const WCHAR* pszPrinterName, REFIID riid,
                                                        void** ppNewObject) = 0;

 protected:
  ~IPrintClassObjectFactory() = default;
};
KX_DEFINE_IID(IPrintClassObjectFactory, IUnknown, "9AF593DD-9B02-48A8-9BAD-69ACE423F88B");

struct IPrintPipelineFilter : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE InitializeFilter(
      IInterFilterCommunicator* pINegotiation, IPrintPipelinePropertyBag* pIPropertyBag,
      IPrintPipelineManagerControl* pIPipelineControl) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShutdownOperation() = 0;
  virtual HRESULT STDMETHODCALLTYPE StartOperation() = 0;

 protected:
  ~IPrintPipelineFilter() = default;
};
KX_DEFINE_IID(IPrintPipelineFilter, IUnknown, "CDB62FC0-8BED-434E-86FB-A2CAE55F19EA");
