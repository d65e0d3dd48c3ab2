// The record of a non-fiscal document in the host's register, with its
// outcome: GravaDocumentosNaoFiscais answers nothing, the X reading and the
// Z reduction need to know whether the record was written.
#ifndef TOV00300_SRC_DOCUMENTS_DOCUMENT_RECORD_H_
#define TOV00300_SRC_DOCUMENTS_DOCUMENT_RECORD_H_

#include <string>

namespace Tov00300::documents {

// GravaDocumentosNaoFiscais: true when the record was handed to the host's
// register; false after the failure's message was shown to the operator.
bool RecordDocument(const std::string& key, const std::string& scheme, const std::string& kind,
                    const std::string& extra);

}  // namespace Tov00300::documents

#endif  // TOV00300_SRC_DOCUMENTS_DOCUMENT_RECORD_H_
