# One target per container reader, each held inside its format by its signature.
set(media_signatures
  "jpeg\;\\xFF\\xD8\\xFF"
  "tiff\;II*\\0"
  "png\;\\x89PNG\\r\\n\\x1A\\n"
  "webp\;RIFF\\0\\0\\0\\0WEBP"
  "iso\;\\0\\0\\0 ftypisom"
  # Songs, through the tag library and our stream.
  "mp3\;ID3\\x03\\0"
  "flac\;fLaC"
  "ogg\;OggS"
  "m4a\;\\0\\0\\0 ftypM4A ")
foreach(entry ${media_signatures})
  list(GET entry 0 kind)
  list(GET entry 1 signature)
  add_executable(fuzz_media_${kind} ${CMAKE_SOURCE_DIR}/fuzz/media.cpp)
  target_compile_definitions(fuzz_media_${kind} PRIVATE "MEDIA_SIGNATURE=\"${signature}\"")
  target_compile_options(fuzz_media_${kind} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_link_options(fuzz_media_${kind} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(fuzz_media_${kind} PRIVATE vorlix_metadata vorlix_taglib)
endforeach()
target_compile_options(vorlix_metadata PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
