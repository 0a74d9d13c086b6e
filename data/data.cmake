# Copies the shipped content into the program folder, which is the working folder
# when the program is started from there: helpVorn.txt beside the program, the
# sounds and the topic files below data/.
set(content_dir ${CMAKE_CURRENT_LIST_DIR})
file(GLOB content_files CONFIGURE_DEPENDS
  RELATIVE ${content_dir}
  ${content_dir}/*.wav
  ${content_dir}/help/*.txt
)

set(content_outputs)
foreach(rel ${content_files})
  set(out ${CLOZE_PROGRAM_DIR}/data/${rel})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${content_dir}/${rel} ${out}
    DEPENDS ${content_dir}/${rel}
    COMMENT "Shipping data/${rel}"
    VERBATIM)
  list(APPEND content_outputs ${out})
endforeach()

set(general_help ${CLOZE_PROGRAM_DIR}/helpVorn.txt)
add_custom_command(OUTPUT ${general_help}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${content_dir}/helpVorn.txt ${general_help}
  DEPENDS ${content_dir}/helpVorn.txt
  COMMENT "Shipping helpVorn.txt"
  VERBATIM)
list(APPEND content_outputs ${general_help})

add_custom_target(cloze_content ALL DEPENDS ${content_outputs})
