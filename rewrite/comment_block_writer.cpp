#include "rewrite/comment_block_writer.h"

namespace qf {

const std::string& CommentBlockWriter::Piece(std::size_t index, std::u16string_view a,
                                             std::u16string_view b) {
  std::optional<std::string>& piece = pieces_[index];
  if (!piece) {
    piece.emplace();
    codePage_.Encode(a, *piece);
    codePage_.Encode(b, *piece);
  }
  return *piece;
}

} // namespace qf
