{ fpc_binary_to_text INPUT OUTPUT: converts the binary component stream in INPUT to the text
  form in OUTPUT with Free Pascal's ObjectBinaryToText, as a whole process, file to file. }
program fpc_binary_to_text;
{$mode objfpc}{$H+}
uses Classes;
var
  Input, Output: TFileStream;
begin
  Input := TFileStream.Create(ParamStr(1), fmOpenRead);
  Output := TFileStream.Create(ParamStr(2), fmCreate);
  try
    ObjectBinaryToText(Input, Output);
  finally
    Output.Free;
    Input.Free;
  end;
end.
