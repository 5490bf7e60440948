#ifndef XA_PACKAGE_DESCRIPTION_IO_H_
#define XA_PACKAGE_DESCRIPTION_IO_H_

#include "package/tag_stream.h"
#include "package/xa_data.h"

namespace xa {

// Reads the value of the current tag into `record` when its id is one of the description tags
// (2 to 11) both records share; returns false, reading nothing, for any other id.
bool ReadDescriptionTag(TTagStreamAdapter& adapter, TXaData& record);

// Writes the description tags 2 to 11 of `record`, texts scrambled.
void WriteDescriptionTags(TTagStreamAdapter& adapter, const TXaData& record);

}  // namespace xa

#endif  // XA_PACKAGE_DESCRIPTION_IO_H_
