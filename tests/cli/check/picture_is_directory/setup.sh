mkdir one_of_each_ref.svg
