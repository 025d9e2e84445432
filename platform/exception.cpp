#include "platform/exception.h"

#include "platform/framework_texts.h"

bool CMemoryException::GetErrorMessage(std::string& text) const {
    text = framework_text::Get(framework_text::kOutOfMemory);
    return true;
}
