mkdir small_ref.krv
