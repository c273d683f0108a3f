# The GIF writer: LZW encoder, file writer, colour quantiser and the encoder of true-colour
# animations (twk render --gif, the editor's art).  Portable; it shares no code with the
# decoder, so that each checks the other.
add_library(gifwriter STATIC
  ${CMAKE_CURRENT_LIST_DIR}/GIFEncoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GIFLzwEncoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GIFQuantiser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GIFWriter.cpp
)
target_include_directories(gifwriter PUBLIC ${CMAKE_CURRENT_LIST_DIR})
